// Binding objects to windows, the framework's window procedure and the
// message-map dispatch with reflection.
#include "afx/wnd.h"

#include <utility>

#include "afx/dc.h"
#include "afx/win_app.h"
#include "temporary_objects.h"
#include "thread_windows.h"
#include "win/dialogs.h"
#include "win/input.h"
#include "win/threads.h"

namespace quorla::afx {

WindowThreadState& ThreadWindows() {
  thread_local WindowThreadState state;
  return state;
}

DispatchFrame*& InnermostFrame() {
  thread_local DispatchFrame* innermost = nullptr;
  return innermost;
}

}  // namespace quorla::afx

// Reaches the object's private steps from the framework's procedure.
struct CWndAccess {
  static void BindForCreation(CWnd* wnd, HWND hwnd) { wnd->BindForCreation(hwnd); }
  static void FinishWindow(CWnd* wnd) { wnd->FinishWindow(); }
  static bool TakePostNcDestroy(CWnd* wnd) { return std::exchange(wnd->postNcDestroyDue_, false); }
  static void PostNcDestroy(CWnd* wnd) { wnd->PostNcDestroy(); }
};

namespace {

using quorla::afx::DispatchFrame;
using quorla::afx::InnermostFrame;
using quorla::afx::MessageCall;
using quorla::afx::ThreadWindows;

bool IsCtlColor(UINT message) { return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC; }

// Offers the call to the first entry of the object's maps (own, then its
// bases') that matches and takes it.
bool DispatchToMap(CWnd* target, UINT key, UINT code, UINT id, MessageCall& call) {
  for (const AFX_MSGMAP* map = target->GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->handler; ++entry) {
      if (entry->nMessage != key || entry->nCode != code || id < entry->nID || id > entry->nLastID) continue;
      if (entry->handler(target, call)) return true;
    }
  }
  return false;
}

// Another message of the object is still in progress further out.
bool HasOuterFrame(const CWnd* wnd) {
  for (DispatchFrame* frame = InnermostFrame(); frame; frame = frame->outer)
    if (frame->wnd == wnd && !frame->objectDeleted) return true;
  return false;
}

// Brackets one message of a bound object: the thread's current message and
// the frame, restored even when a handler throws.
class MessageScope {
 public:
  MessageScope(CWnd* wnd, const MSG& msg) : frame_{wnd, false, InnermostFrame()} {
    auto& state = ThreadWindows();
    saved_ = state.current;
    state.current = msg;
    InnermostFrame() = &frame_;
  }
  ~MessageScope() {
    InnermostFrame() = frame_.outer;
    ThreadWindows().current = saved_;
  }
  bool ObjectDeleted() const { return frame_.objectDeleted; }

 private:
  DispatchFrame frame_;
  MSG saved_;
};

void BindOnCreation(HWND hwnd, void* context) { CWndAccess::BindForCreation(static_cast<CWnd*>(context), hwnd); }

}  // namespace

quorla::afx::CreationOffer::CreationOffer(CWnd* wnd) { quorla::SetThreadCreationHook(&BindOnCreation, wnd); }

// Withdrawn when no window took it (a class that did not exist).
quorla::afx::CreationOffer::~CreationOffer() { quorla::SetThreadCreationHook(nullptr, nullptr); }

LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
  if (!wnd) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  LRESULT result;
  {
    MessageScope scope(wnd, MSG{hwnd, message, wParam, lParam, 0, {0, 0}});
    result = wnd->WindowProc(message, wParam, lParam);
    if (scope.ObjectDeleted()) return result;
  }
  if (message == WM_NCDESTROY && CWnd::FromHandlePermanent(hwnd) == wnd) CWndAccess::FinishWindow(wnd);
  if (!HasOuterFrame(wnd) && CWndAccess::TakePostNcDestroy(wnd)) CWndAccess::PostNcDestroy(wnd);
  return result;
}

CWnd::CWnd() = default;

CWnd::CWnd(HWND special) : m_hWnd(special), temporary_(true) {}

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::~CWnd() {
  for (DispatchFrame* frame = InnermostFrame(); frame; frame = frame->outer)
    if (frame->wnd == this) frame->objectDeleted = true;
  if (!m_hWnd || temporary_) return;
  if (FromHandlePermanent(m_hWnd) == this) {
    // The window's last messages reach what is left of the object (a CWnd)
    // and unbind it.
    if (::IsWindow(m_hWnd) && m_pfnSuper) ::DestroyWindow(m_hWnd);
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
      if (m_pfnSuper && ::IsWindow(m_hWnd))
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
      Detach();
    }
  }
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
  if (!hwnd) return nullptr;
  auto& bound = ThreadWindows().bound;
  auto found = bound.find(hwnd);
  return found == bound.end() ? nullptr : found->second;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
  if (CWnd* bound = FromHandlePermanent(hwnd)) return bound;
  return quorla::afx::TemporaryFor<CWnd>(hwnd, [](CWnd& wnd, HWND handle) { wnd.m_hWnd = handle; });
}

BOOL CWnd::Attach(HWND hwnd) {
  if (!hwnd || m_hWnd || FromHandlePermanent(hwnd)) return FALSE;
  m_hWnd = hwnd;
  ThreadWindows().bound[hwnd] = this;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hwnd = m_hWnd;
  if (hwnd && FromHandlePermanent(hwnd) == this) ThreadWindows().bound.erase(hwnd);
  m_hWnd = nullptr;
  return hwnd;
}

void CWnd::BindForCreation(HWND hwnd) {
  if (!Attach(hwnd)) return;
  auto previous = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
  m_pfnSuper = previous && previous != &AfxWndProc ? previous : &::DefWindowProcW;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
  if (!::IsWindow(hwnd) || ::GetWindowThreadProcessId(hwnd, nullptr) != ::GetCurrentThreadId()) return FALSE;
  if (!Attach(hwnd)) return FALSE;
  auto previous = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
  m_pfnSuper = previous && previous != &AfxWndProc ? previous : &::DefWindowProcW;
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  return parent && SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

HWND CWnd::UnsubclassWindow() {
  if (!m_hWnd || !m_pfnSuper) return nullptr;
  ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = nullptr;
  return Detach();
}

void CWnd::FinishWindow() {
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) {
    app->m_pMainWnd = nullptr;
    ::PostQuitMessage(0);
  }
  Detach();
  postNcDestroyDue_ = true;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTW& cs) {
  if (!cs.lpszClass) cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
  return TRUE;
}

void CWnd::PostNcDestroy() {}

BOOL CWnd::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                  CCreateContext* context) {
  return CreateEx(0, className, windowName, style | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), context);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id, LPVOID param) {
  return CreateEx(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menuOrId, LPVOID param) {
  if (m_hWnd) return FALSE;
  CREATESTRUCTW cs{param,  AfxGetInstanceHandle(),     menuOrId,   parent,    height,  width,
                   y,      x,                          static_cast<LONG>(style), windowName, className, exStyle};
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  quorla::afx::CreationOffer offer(this);
  return ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y, cs.cx,
                           cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams) != nullptr;
}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  if (FromHandlePermanent(m_hWnd) == this && m_pfnSuper) return ::DestroyWindow(m_hWnd);
  // Attached without its messages: nothing will unbind it.
  HWND hwnd = m_hWnd;
  BOOL destroyed = ::DestroyWindow(hwnd);
  if (destroyed) Detach();
  return destroyed;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg, bool* reachedStop) {
  if (reachedStop) *reachedStop = false;
  for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (wnd && wnd->PreTranslateMessage(msg)) return TRUE;
    if (hwnd == stop) {
      if (reachedStop) *reachedStop = true;
      break;
    }
  }
  return FALSE;
}

const MSG* CWnd::GetCurrentMessage() { return &ThreadWindows().current; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  LRESULT ignored = 0;
  if (!result) result = &ignored;
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    *result = 1;
    return TRUE;
  }
  if (message == WM_NOTIFY) return lParam && OnNotify(wParam, lParam, result);
  if (message == WM_DRAWITEM) {
    auto* item = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
    CWnd* control = item && item->CtlType != ODT_MENU ? FromHandlePermanent(item->hwndItem) : nullptr;
    if (control && control != this && control->OnChildNotify(message, wParam, lParam, result)) return TRUE;
  }
  MessageCall call{message, wParam, lParam, 0, 0};
  UINT key = IsCtlColor(message) ? quorla::afx::kCtlColorEntry : message;
  if (!DispatchToMap(this, key, 0, 0, call)) return FALSE;
  *result = call.result;
  return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!m_hWnd) return 0;
  if (m_pfnSuper) return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  const MSG& current = ThreadWindows().current;
  return DefWindowProc(current.message, current.wParam, current.lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT id = LOWORD(wParam);
  auto controlHandle = reinterpret_cast<HWND>(lParam);
  // Menus, accelerators and posted commands carry no control: code 0.
  UINT code = controlHandle ? HIWORD(wParam) : 0;
  CWnd* control = FromHandlePermanent(controlHandle);
  LRESULT ignored = 0;
  if (control && control != this && control->OnChildNotify(WM_COMMAND, wParam, lParam, &ignored)) return TRUE;
  MessageCall call{WM_COMMAND, wParam, lParam, id, 0};
  return DispatchToMap(this, WM_COMMAND, code, id, call);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (!header) return FALSE;
  CWnd* control = FromHandlePermanent(header->hwndFrom);
  if (control && control != this && control->OnChildNotify(WM_NOTIFY, wParam, lParam, result)) return TRUE;
  auto id = static_cast<UINT>(header->idFrom);
  MessageCall call{WM_NOTIFY, wParam, lParam, id, 0};
  if (!DispatchToMap(this, WM_NOTIFY, header->code, id, call)) return FALSE;
  *result = call.result;
  return TRUE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  return ReflectChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  UINT key;
  UINT code = 0;
  UINT id = 0;
  if (message == WM_COMMAND) {
    key = WM_COMMAND;
    code = HIWORD(wParam);
    id = LOWORD(wParam);
  } else if (message == WM_NOTIFY) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header) return FALSE;
    key = WM_NOTIFY;
    code = header->code;
    id = static_cast<UINT>(header->idFrom);
  } else if (message == WM_DRAWITEM) {
    key = WM_DRAWITEM;
    id = static_cast<UINT>(wParam);
  } else if (IsCtlColor(message)) {
    key = quorla::afx::kCtlColorEntry;
  } else {
    return FALSE;
  }
  MessageCall call{message, wParam, lParam, id, 0};
  // Reflection entries take any identifier: the control is this object.
  if (!DispatchToMap(this, quorla::afx::kReflectBase + key, code, 0, call)) return FALSE;
  if (result) *result = call.result;
  return TRUE;
}

BOOL CWnd::ReflectLastMsg(HWND child, LRESULT* result) {
  CWnd* control = FromHandlePermanent(child);
  if (!control) return FALSE;
  const MSG& current = ThreadWindows().current;
  if (current.hwnd == child) return FALSE;
  return control->OnChildNotify(current.message, current.wParam, current.lParam, result);
}

const AFX_MSGMAP* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP* CWnd::GetThisMessageMap() {
  using ThisClass = CWnd;
  static const AFX_MSGMAP_ENTRY entries[] = {
      // Without an entry of its own, a parent hands control colours to the
      // control.
      ON_WM_CTLCOLOR(){0, 0, 0, 0, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* control, UINT) {
  LRESULT brush = 0;
  if (control && ReflectLastMsg(control->m_hWnd, &brush)) return reinterpret_cast<HBRUSH>(brush);
  return reinterpret_cast<HBRUSH>(Default());
}
