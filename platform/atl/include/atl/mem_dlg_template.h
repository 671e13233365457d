#pragma once
// A dialog template built in memory: a DLGTEMPLATE without items, with the
// default dialog class and, when a font is given, DS_SETFONT and the font.
#include <cstring>
#include <vector>

#include "win/dialogs.h"

namespace ATL {

class CMemDlgTemplate {
 public:
  void Create(LPCWSTR title, short x, short y, short cx, short cy, DWORD style, DWORD exStyle,
              LPCWSTR fontName = nullptr, WORD fontSize = 0) {
    std::vector<WORD> words;
    DLGTEMPLATE head{};
    head.style = fontName ? (style | DS_SETFONT) : (style & ~DS_SETFONT);
    head.dwExtendedStyle = exStyle;
    head.cdit = 0;
    head.x = x;
    head.y = y;
    head.cx = cx;
    head.cy = cy;
    words.resize(sizeof(head) / sizeof(WORD));
    std::memcpy(words.data(), &head, sizeof(head));
    words.push_back(0);  // no menu
    words.push_back(0);  // the default class
    AppendText(words, title);
    if (fontName) {
      words.push_back(fontSize);
      AppendText(words, fontName);
    }
    // DWORD storage keeps the template aligned as the platform wants it.
    storage_.assign((words.size() + 1) / 2, 0);
    std::memcpy(storage_.data(), words.data(), words.size() * sizeof(WORD));
  }

  bool IsValid() const { return !storage_.empty(); }
  const DLGTEMPLATE* GetTemplatePtr() const {
    return IsValid() ? reinterpret_cast<const DLGTEMPLATE*>(storage_.data()) : nullptr;
  }

 private:
  static void AppendText(std::vector<WORD>& words, LPCWSTR text) {
    for (; text && *text; ++text) words.push_back(static_cast<WORD>(*text));
    words.push_back(0);
  }

  std::vector<DWORD> storage_;
};

}  // namespace ATL
