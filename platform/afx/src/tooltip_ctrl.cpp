#include "afx/tooltip_ctrl.h"

#include "afx/win_app.h"
#include "win/window_styles.h"

namespace {

// The record that names a tool of wnd; false when there is no such tool
// name (no window, or a whole-window tool of a window without a parent).
bool NameTool(TOOLINFOW& info, const CWnd* wnd, UINT_PTR toolId) {
  info = TOOLINFOW{};
  info.cbSize = sizeof info;
  if (!wnd || !wnd->m_hWnd) return false;
  if (toolId == 0) {
    HWND parent = ::GetParent(wnd->m_hWnd);
    if (!parent) return false;
    info.uFlags = TTF_IDISHWND;
    info.hwnd = parent;
    info.uId = reinterpret_cast<UINT_PTR>(wnd->m_hWnd);
  } else {
    info.hwnd = wnd->m_hWnd;
    info.uId = toolId;
  }
  return true;
}

LPWSTR StringResource(UINT id) { return reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(id))); }

}  // namespace

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
  return CreateEx(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, parent ? parent->m_hWnd : nullptr, nullptr);
}

void CToolTipCtrl::Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, activate ? TRUE : FALSE); }

void CToolTipCtrl::RelayEvent(LPMSG msg) {
  if (msg) SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCWSTR text, LPCRECT rect, UINT_PTR toolId) {
  TOOLINFOW info;
  if (!m_hWnd || !NameTool(info, wnd, toolId)) return FALSE;
  if (toolId != 0) {
    if (rect) {
      info.rect = *rect;
    } else {
      ::GetClientRect(wnd->m_hWnd, &info.rect);
    }
  }
  info.hinst = AfxGetResourceHandle();
  info.lpszText = const_cast<LPWSTR>(text);
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, UINT textId, LPCRECT rect, UINT_PTR toolId) {
  return AddTool(wnd, StringResource(textId), rect, toolId);
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR toolId) {
  TOOLINFOW info;
  if (m_hWnd && NameTool(info, wnd, toolId)) SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::SetToolRect(CWnd* wnd, UINT_PTR toolId, LPCRECT rect) {
  TOOLINFOW info;
  if (!m_hWnd || !rect || !NameTool(info, wnd, toolId)) return;
  info.rect = *rect;
  SendMessage(TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(LPCWSTR text, CWnd* wnd, UINT_PTR toolId) {
  TOOLINFOW info;
  if (!m_hWnd || !NameTool(info, wnd, toolId)) return;
  info.hinst = AfxGetResourceHandle();
  info.lpszText = const_cast<LPWSTR>(text);
  SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(UINT textId, CWnd* wnd, UINT_PTR toolId) {
  UpdateTipText(StringResource(textId), wnd, toolId);
}

void CToolTipCtrl::GetText(CString& text, CWnd* wnd, UINT_PTR toolId) const {
  text.Empty();
  TOOLINFOW info;
  if (!m_hWnd || !NameTool(info, wnd, toolId)) return;
  WCHAR buffer[1024] = {};
  info.lpszText = buffer;
  SendMessage(TTM_GETTEXTW, sizeof buffer / sizeof buffer[0], reinterpret_cast<LPARAM>(&info));
  if (info.lpszText == buffer) text = buffer;
}

BOOL CToolTipCtrl::GetToolInfo(TOOLINFOW& info, CWnd* wnd, UINT_PTR toolId) const {
  if (!m_hWnd || !NameTool(info, wnd, toolId)) return FALSE;
  return static_cast<BOOL>(SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)));
}

int CToolTipCtrl::GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }

void CToolTipCtrl::SetDelayTime(UINT delay) { SetDelayTime(TTDT_AUTOMATIC, static_cast<int>(delay)); }

void CToolTipCtrl::SetDelayTime(DWORD which, int milliseconds) {
  SendMessage(TTM_SETDELAYTIME, which, MAKELPARAM(static_cast<WORD>(milliseconds), 0));
}

int CToolTipCtrl::GetDelayTime(DWORD which) const { return static_cast<int>(SendMessage(TTM_GETDELAYTIME, which)); }

int CToolTipCtrl::SetMaxTipWidth(int width) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width)); }

void CToolTipCtrl::Pop() { SendMessage(TTM_POP); }
