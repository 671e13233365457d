#pragma once
// Writes dialog templates byte by byte, the way resource compilers lay them
// out, for the dialog tests.
#include <cstring>
#include <string>
#include <vector>

#include "win/dialogs.h"

namespace quorla_test {

struct TemplateName {
  bool ordinal = false;
  WORD number = 0;
  std::u16string text;  // empty and not ordinal: none
  static TemplateName None() { return {}; }
  static TemplateName Ordinal(WORD value) { return {true, value, {}}; }
  static TemplateName Text(std::u16string value) { return {false, 0, std::move(value)}; }
};

struct TemplateItem {
  TemplateName windowClass;
  TemplateName title;
  DWORD id = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  std::vector<BYTE> creationData;
  DWORD helpId = 0;
};

struct TemplateFont {
  WORD pointSize = 8;
  std::u16string face = u"MS Shell Dlg";
  WORD weight = 0;
  BYTE italic = 0;
  BYTE charSet = 1;
};

struct TemplateSpec {
  bool extended = false;
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  TemplateName menu;
  TemplateName windowClass;
  std::u16string title;
  bool withFont = false;  // adds DS_SETFONT
  TemplateFont font;
  std::vector<TemplateItem> items;
  WORD version = 1;  // DLGTEMPLATEEX only
};

class TemplateWriter {
 public:
  // DWORD storage: templates start aligned.
  std::vector<DWORD> Write(const TemplateSpec& spec) {
    bytes_.clear();
    const DWORD style = spec.withFont ? (spec.style | DS_SETFONT) : spec.style;
    if (spec.extended) {
      Put<WORD>(spec.version);
      Put<WORD>(0xFFFF);
      Put<DWORD>(0);  // help id
      Put<DWORD>(spec.exStyle);
      Put<DWORD>(style);
    } else {
      Put<DWORD>(style);
      Put<DWORD>(spec.exStyle);
    }
    Put<WORD>(static_cast<WORD>(spec.items.size()));
    for (short edge : {spec.x, spec.y, spec.cx, spec.cy}) Put<short>(edge);
    PutName(spec.menu);
    PutName(spec.windowClass);
    PutText(spec.title);
    if (spec.withFont) {
      Put<WORD>(spec.font.pointSize);
      if (spec.extended) {
        Put<WORD>(spec.font.weight);
        Put<BYTE>(spec.font.italic);
        Put<BYTE>(spec.font.charSet);
      }
      PutText(spec.font.face);
    }
    for (const TemplateItem& item : spec.items) {
      while (bytes_.size() % 4) bytes_.push_back(0);
      if (spec.extended) {
        Put<DWORD>(item.helpId);
        Put<DWORD>(item.exStyle);
        Put<DWORD>(item.style);
      } else {
        Put<DWORD>(item.style);
        Put<DWORD>(item.exStyle);
      }
      for (short edge : {item.x, item.y, item.cx, item.cy}) Put<short>(edge);
      if (spec.extended) Put<DWORD>(item.id);
      else Put<WORD>(static_cast<WORD>(item.id));
      PutName(item.windowClass);
      PutName(item.title);
      Put<WORD>(static_cast<WORD>(item.creationData.size()));
      bytes_.insert(bytes_.end(), item.creationData.begin(), item.creationData.end());
    }
    std::vector<DWORD> storage((bytes_.size() + 3) / 4, 0);
    std::memcpy(storage.data(), bytes_.data(), bytes_.size());
    return storage;
  }

 private:
  template <class T>
  void Put(T value) {
    BYTE raw[sizeof(T)];
    std::memcpy(raw, &value, sizeof(T));
    bytes_.insert(bytes_.end(), raw, raw + sizeof(T));
  }
  void PutText(const std::u16string& text) {
    for (char16_t unit : text) Put<WORD>(static_cast<WORD>(unit));
    Put<WORD>(0);
  }
  void PutName(const TemplateName& name) {
    if (name.ordinal) {
      Put<WORD>(0xFFFF);
      Put<WORD>(name.number);
    } else {
      PutText(name.text);
    }
  }

  std::vector<BYTE> bytes_;
};

inline const DLGTEMPLATE* AsTemplate(const std::vector<DWORD>& storage) {
  return reinterpret_cast<const DLGTEMPLATE*>(storage.data());
}

}  // namespace quorla_test
