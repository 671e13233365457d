#pragma once
// How a tooltip looks: its size for a text and its drawing, through the
// layer's GDI, in the desktop's information colours with a thin frame.
#include <string>

#include "win/gdi_objects.h"

namespace quorla {

struct TooltipLook {
  HFONT font = nullptr;  // null: DEFAULT_GUI_FONT
  int maxWidth = -1;     // the text wraps past it; -1: one line
  bool noPrefix = false;
};

// The window size that shows the text whole.
SIZE TooltipSize(HWND tooltip, const std::u16string& text, const TooltipLook& look);
void PaintTooltip(HDC dc, const RECT& client, const std::u16string& text, const TooltipLook& look);

}  // namespace quorla
