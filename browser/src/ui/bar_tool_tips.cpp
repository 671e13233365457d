#include "bar_tool_tips.h"

#include "afx/win_app.h"
#include "win/common_controls.h"
#include "win/resources.h"

namespace {

TOOLINFOW ToolOf(CWnd& bar, int id) {
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = bar.m_hWnd;
  tool.uId = static_cast<UINT_PTR>(id);
  return tool;
}

}  // namespace

CString LoadUiString(UINT id) {
  LPCWSTR inside = nullptr;
  const int length = LoadStringW(AfxGetResourceHandle(), id, reinterpret_cast<LPWSTR>(&inside), 0);
  return length > 0 && inside ? CString(inside, length) : CString();
}

void BarToolTips::Add(CWnd& bar, int id, const RECT& rect) {
  if (!control_ || !control_->m_hWnd || !bar.m_hWnd) return;
  CString text = LoadUiString(static_cast<UINT>(id));
  TOOLINFOW tool = ToolOf(bar, id);
  tool.rect = rect;
  tool.lpszText = const_cast<LPWSTR>(text.GetString());
  control_->SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void BarToolTips::Remove(CWnd& bar, int id) {
  if (!control_ || !control_->m_hWnd || !bar.m_hWnd) return;
  TOOLINFOW tool = ToolOf(bar, id);
  control_->SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void BarToolTips::Move(CWnd& bar, int id, const RECT& rect) {
  if (!control_ || !control_->m_hWnd || !bar.m_hWnd) return;
  TOOLINFOW tool = ToolOf(bar, id);
  tool.rect = rect;
  control_->SendMessage(TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}
