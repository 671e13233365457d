#include "published_windows.h"

#include <charconv>

#include "utf.h"
#include "window_handles.h"

namespace quorla {
namespace {

constexpr std::string_view kHeader = "quorla-windows 1 ";

void AppendName(std::string& out, const std::u16string& name) {
  static const char kHex[] = "0123456789ABCDEF";
  out += '=';
  for (unsigned char byte : Utf16ToUtf8(name)) {
    if (byte <= 0x20 || byte == 0x7F || byte == '%') {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += static_cast<char>(byte);
    }
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool ParseName(std::string_view field, std::u16string* name) {
  if (field.empty() || field[0] != '=') return false;
  std::string bytes;
  for (size_t i = 1; i < field.size(); ++i) {
    const auto byte = static_cast<unsigned char>(field[i]);
    if (byte <= 0x20 || byte == 0x7F) return false;  // always written escaped
    if (byte != '%') {
      bytes += field[i];
      continue;
    }
    if (i + 2 >= field.size()) return false;
    int high = HexDigit(field[i + 1]), low = HexDigit(field[i + 2]);
    if (high < 0 || low < 0) return false;
    bytes += static_cast<char>(high * 16 + low);
    i += 2;
  }
  *name = Utf8ToUtf16(bytes);
  return true;
}

template <class Number>
bool ParseNumber(std::string_view field, Number* value, int base = 10) {
  if (field.empty() || (field.size() > 1 && field[0] == '0' && base == 10)) return false;
  auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), *value, base);
  return error == std::errc() && end == field.data() + field.size();
}

// Splits at single blanks into exactly `count` non-empty fields.
bool SplitFields(std::string_view line, std::string_view* fields, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    size_t blank = i + 1 < count ? line.find(' ') : std::string_view::npos;
    if (i + 1 < count && blank == std::string_view::npos) return false;
    fields[i] = line.substr(0, blank);
    if (fields[i].empty()) return false;
    line = blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);
  }
  return fields[count - 1].find(' ') == std::string_view::npos;
}

}  // namespace

std::string FormatPublishedList(const PublishedList& list) {
  std::string out(kHeader);
  out += std::to_string(list.processId) + ' ' + std::to_string(list.livenessId) + '\n';
  char hex[17];
  for (const PublishedWindow& window : list.windows) {
    auto [end, error] = std::to_chars(hex, hex + sizeof(hex), static_cast<unsigned long long>(
                                                                    reinterpret_cast<ULONG_PTR>(window.handle)), 16);
    out.append(hex, end);
    out += ' ' + std::to_string(window.threadId) + (window.visible ? " 1 " : " 0 ");
    AppendName(out, window.className);
    out += ' ';
    AppendName(out, window.title);
    out += '\n';
  }
  return out;
}

bool ParsePublishedList(std::string_view text, PublishedList* out) {
  *out = PublishedList();
  PublishedList read;
  PublishedList* list = &read;
  if (text.substr(0, kHeader.size()) != kHeader || text.empty() || text.back() != '\n') return false;
  text.remove_prefix(kHeader.size());
  size_t end = text.find('\n');
  std::string_view header[2];
  if (!SplitFields(text.substr(0, end), header, 2) || !ParseNumber(header[0], &list->processId) ||
      list->processId == 0 || !ParseNumber(header[1], &list->livenessId))
    return false;
  text.remove_prefix(end + 1);
  while (!text.empty()) {
    end = text.find('\n');
    std::string_view fields[5];
    if (list->windows.size() == kMostPublishedWindows || !SplitFields(text.substr(0, end), fields, 5)) return false;
    PublishedWindow window;
    unsigned long long handle = 0;
    if (fields[0].size() > 16 || !ParseNumber(fields[0], &handle, 16) || !ParseNumber(fields[1], &window.threadId) ||
        (fields[2] != "0" && fields[2] != "1") || !ParseName(fields[3], &window.className) ||
        !ParseName(fields[4], &window.title))
      return false;
    window.handle = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(handle));
    window.visible = fields[2] == "1";
    if (ProcessOfWindow(window.handle) != list->processId) return false;
    list->windows.push_back(std::move(window));
    text.remove_prefix(end + 1);
  }
  *out = std::move(read);
  return true;
}

}  // namespace quorla
