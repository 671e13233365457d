#pragma once
// Reading dialog templates (DLGTEMPLATE and DLGTEMPLATEEX with their items)
// into plain values. The reader never reads past the size it is given, so a
// cut or damaged template fails cleanly instead of running off its end.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "win/types.h"

namespace quorla {

// A name or a number, as templates give menus, classes and item titles.
struct NameOrOrdinal {
  bool isOrdinal = false;
  WORD ordinal = 0;
  std::u16string name;  // empty with no name (and no ordinal)

  bool Empty() const { return !isOrdinal && name.empty(); }
};

struct DialogItemTemplate {
  DWORD helpId = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  DWORD id = 0;  // 16 bits in a DLGTEMPLATE item
  NameOrOrdinal windowClass;
  NameOrOrdinal title;
  // The creation data: from the size word on, as items receive it, or
  // empty when there is none.
  const BYTE* creationData = nullptr;
  WORD creationDataSize = 0;
};

struct DialogFont {
  WORD pointSize = 0;
  WORD weight = 0;  // FW_*; 0 in a DLGTEMPLATE
  bool italic = false;
  BYTE charSet = 0;  // DEFAULT_CHARSET in a DLGTEMPLATE
  std::u16string face;
};

struct DialogTemplate {
  bool extended = false;
  DWORD helpId = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  NameOrOrdinal menu;
  NameOrOrdinal windowClass;
  std::u16string title;
  std::optional<DialogFont> font;  // with DS_SETFONT
  std::vector<DialogItemTemplate> items;
};

// Reads a template of at most `size` bytes starting at `data` (which the
// platform keeps DWORD-aligned: items start on DWORD boundaries counted
// from it). Empty when the template is cut short or malformed.
std::optional<DialogTemplate> ReadDialogTemplate(const BYTE* data, size_t size);

}  // namespace quorla
