#include "dialog_template.h"

#include <cstring>

#include "win/dialogs.h"
#include "win/fonts.h"

namespace quorla {
namespace {

constexpr WORD kExtendedSignature = 0xFFFF;

// A cursor over the template's bytes that refuses to step past the end.
class TemplateReader {
 public:
  TemplateReader(const BYTE* data, size_t size) : data_(data), size_(size) {}

  bool Ok() const { return ok_; }
  size_t Offset() const { return offset_; }
  const BYTE* Here() const { return data_ + offset_; }

  template <class T>
  T Read() {
    T value{};
    if (!Require(sizeof(T))) return value;
    std::memcpy(&value, data_ + offset_, sizeof(T));
    offset_ += sizeof(T);
    return value;
  }

  std::u16string ReadString() {
    std::u16string text;
    for (;;) {
      WCHAR unit = Read<WCHAR>();
      if (!ok_ || unit == 0) return text;
      text.push_back(unit);
    }
  }

  NameOrOrdinal ReadNameOrOrdinal() {
    NameOrOrdinal result;
    WORD first = Read<WORD>();
    if (!ok_ || first == 0) return result;
    if (first == 0xFFFF) {
      result.isOrdinal = true;
      result.ordinal = Read<WORD>();
      return result;
    }
    result.name.push_back(static_cast<WCHAR>(first));
    result.name += ReadString();
    return result;
  }

  void Skip(size_t count) {
    if (Require(count)) offset_ += count;
  }

  void AlignToDword() { Skip((4 - offset_ % 4) % 4); }

 private:
  bool Require(size_t count) {
    if (!ok_ || count > size_ - offset_) ok_ = false;
    return ok_;
  }

  const BYTE* data_;
  size_t size_;
  size_t offset_ = 0;
  bool ok_ = true;
};

void ReadItem(TemplateReader& reader, bool extended, DialogItemTemplate& item) {
  reader.AlignToDword();
  if (extended) {
    item.helpId = reader.Read<DWORD>();
    item.exStyle = reader.Read<DWORD>();
    item.style = reader.Read<DWORD>();
  } else {
    item.style = reader.Read<DWORD>();
    item.exStyle = reader.Read<DWORD>();
  }
  item.x = reader.Read<short>();
  item.y = reader.Read<short>();
  item.cx = reader.Read<short>();
  item.cy = reader.Read<short>();
  item.id = extended ? reader.Read<DWORD>() : reader.Read<WORD>();
  item.windowClass = reader.ReadNameOrOrdinal();
  item.title = reader.ReadNameOrOrdinal();
  const BYTE* sizeWord = reader.Here();
  WORD extra = reader.Read<WORD>();
  if (extra) {
    item.creationData = sizeWord;
    item.creationDataSize = extra;
    reader.Skip(extra);
  }
}

}  // namespace

std::optional<DialogTemplate> ReadDialogTemplate(const BYTE* data, size_t size) {
  if (!data) return std::nullopt;
  TemplateReader reader(data, size);
  DialogTemplate dialog;
  WORD itemCount = 0;
  {
    TemplateReader probe(data, size);
    probe.Read<WORD>();
    dialog.extended = probe.Read<WORD>() == kExtendedSignature && probe.Ok();
  }
  if (dialog.extended) {
    WORD version = reader.Read<WORD>();
    reader.Read<WORD>();  // the signature
    if (version != 1) return std::nullopt;
    dialog.helpId = reader.Read<DWORD>();
    dialog.exStyle = reader.Read<DWORD>();
    dialog.style = reader.Read<DWORD>();
  } else {
    dialog.style = reader.Read<DWORD>();
    dialog.exStyle = reader.Read<DWORD>();
  }
  itemCount = reader.Read<WORD>();
  dialog.x = reader.Read<short>();
  dialog.y = reader.Read<short>();
  dialog.cx = reader.Read<short>();
  dialog.cy = reader.Read<short>();
  dialog.menu = reader.ReadNameOrOrdinal();
  dialog.windowClass = reader.ReadNameOrOrdinal();
  dialog.title = reader.ReadString();
  if (dialog.style & DS_SETFONT) {
    DialogFont font;
    font.pointSize = reader.Read<WORD>();
    if (dialog.extended) {
      font.weight = reader.Read<WORD>();
      font.italic = reader.Read<BYTE>() != 0;
      font.charSet = reader.Read<BYTE>();
    } else {
      font.charSet = DEFAULT_CHARSET;
    }
    font.face = reader.ReadString();
    dialog.font = std::move(font);
  }
  if (!reader.Ok()) return std::nullopt;
  dialog.items.resize(itemCount);
  for (DialogItemTemplate& item : dialog.items) {
    ReadItem(reader, dialog.extended, item);
    if (!reader.Ok()) return std::nullopt;
  }
  return dialog;
}

}  // namespace quorla
