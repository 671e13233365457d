// CMyTabCtrl's tooltips: one tool per tab over the owner's tooltip control,
// whose text requests the tab control passes on to the owner.
#include "my_tab_ctrl.h"
#include "win/common_controls.h"

namespace {

TOOLINFOW TabTool(HWND strip, int id) {
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = strip;
  tool.uId = static_cast<UINT_PTR>(id);
  return tool;
}

}  // namespace

void CMyTabCtrl::RemoveToolTips() {
  const auto tips = reinterpret_cast<HWND>(SendMessage(TCM_GETTOOLTIPS));
  if (tips) {
    for (int id = 1; id <= m_toolCount; ++id) {
      TOOLINFOW tool = TabTool(m_hWnd, id);
      ::SendMessageW(tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
  }
  m_toolCount = 0;
}

void CMyTabCtrl::RebuildToolTips() {
  if (!m_hWnd) return;
  RemoveToolTips();
  const auto tips = reinterpret_cast<HWND>(SendMessage(TCM_GETTOOLTIPS));
  CRect first;
  if (!tips || !GetItemRect(0, &first)) return;
  const int width = first.Width();
  const int count = GetItemCount();
  for (int i = 0; i < count; ++i) {
    TOOLINFOW tool = TabTool(m_hWnd, i + 1);
    tool.rect = RECT{i * width, first.top, (i + 1) * width, first.bottom};
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    ::SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  m_toolCount = count;
}
