#include "tool_tips_probe.h"

#include "win/common_controls.h"

namespace ui_test {

ToolTipsProbe::ToolTipsProbe(CWnd& owner) {
  control_.CreateEx(0, TOOLTIPS_CLASSW, u"", WS_POPUP | TTS_ALWAYSTIP, CRect(), &owner, 0);
}

ToolTipsProbe::~ToolTipsProbe() {
  if (control_.m_hWnd) control_.DestroyWindow();
}

int ToolTipsProbe::Count() { return static_cast<int>(control_.SendMessage(TTM_GETTOOLCOUNT)); }

std::optional<ToolTipsProbe::Tool> ToolTipsProbe::Find(CWnd& window, UINT_PTR id) {
  WCHAR text[80] = {};
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.hwnd = window.m_hWnd;
  info.uId = id;
  info.lpszText = text;
  if (!control_.SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info))) return std::nullopt;
  return Tool{std::u16string(text), info.rect};
}

}  // namespace ui_test
