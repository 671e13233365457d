#pragma once
// Message maps: the table of handlers that a window class declares for the
// messages it takes.
//
//   class CMainFrame : public CWnd {
//    protected:
//     int OnCreate(LPCREATESTRUCT create);
//     void OnCaptionButton(UINT id);
//     DECLARE_MESSAGE_MAP()
//   };
//   BEGIN_MESSAGE_MAP(CMainFrame, CWnd)
//     ON_WM_CREATE()
//     ON_COMMAND_RANGE(1001, 1004, OnCaptionButton)
//   END_MESSAGE_MAP()
//
// Handlers are named bare (OnCaptionButton, not &CMainFrame::OnCaption...)
// and keep the framework's signatures; the compiler checks each against its
// entry. A class's map is searched first, then its base class's, up to
// CWnd's. An entry whose handler declines (the _EX entries returning FALSE)
// lets the search go on; a message that no entry takes gets the window's
// default handling (CWnd::DefWindowProc).
//
// Each entry carries a small function made by its macro that unpacks the
// message's parameters and calls the handler, so no member-function pointer
// is ever cast.
#include "win/messages.h"
#include "win/types.h"

class CWnd;

namespace quorla::afx {

// The message an entry is offered and the answer its handler gives.
struct MessageCall {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  UINT id;  // the command or control identifier, for commands and notifications
  LRESULT result;
};

// Calls the entry's handler; false when the handler declined the message.
using EntryHandler = bool (*)(CWnd* target, MessageCall& call);

// Entry numbers that stand for more than one message, or for a message that
// comes back to the control that sent it (reflection).
constexpr UINT kCtlColorEntry = 0x0019;  // any WM_CTLCOLOR* message
constexpr UINT kReflectBase = 0xBC00;

}  // namespace quorla::afx

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;
  UINT nCode;  // WM_COMMAND: the notification code; WM_NOTIFY: NMHDR::code
  UINT nID;    // first identifier of the range it takes
  UINT nLastID;
  quorla::afx::EntryHandler handler;  // null ends the table
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();  // null for the root (CWnd)
  const AFX_MSGMAP_ENTRY* lpEntries;
};

// The color kinds handed to OnCtlColor, in the order of WM_CTLCOLORMSGBOX
// to WM_CTLCOLORSTATIC.
constexpr UINT CTLCOLOR_MSGBOX = 0;
constexpr UINT CTLCOLOR_EDIT = 1;
constexpr UINT CTLCOLOR_LISTBOX = 2;
constexpr UINT CTLCOLOR_BTN = 3;
constexpr UINT CTLCOLOR_DLG = 4;
constexpr UINT CTLCOLOR_SCROLLBAR = 5;
constexpr UINT CTLCOLOR_STATIC = 6;

#define afx_msg

#define DECLARE_MESSAGE_MAP()                                \
 protected:                                                  \
  static const AFX_MSGMAP* GetThisMessageMap();              \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                         \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                  \
    using ThisClass [[maybe_unused]] = theClass;                                     \
    using TheBaseClass = baseClass;                                                  \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                      \
  {0, 0, 0, 0, nullptr}                                                                        \
  }                                                                                            \
  ;                                                                                            \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
  return &messageMap;                                                                          \
  }

// One entry: its numbers and the statements that call the handler, which
// see the object as self_ and the message as call_, and return whether the
// handler took the message.
#define QUORLA_AFX_ENTRY(message, code, id, lastId, ...)                                                \
  {static_cast<UINT>(message), static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(lastId), \
   [](CWnd* target_, ::quorla::afx::MessageCall& call_) -> bool {                                        \
     ThisClass* self_ = static_cast<ThisClass*>(target_);                                                \
     (void)self_;                                                                                        \
     (void)call_;                                                                                        \
     __VA_ARGS__                                                                                         \
   }},

#define QUORLA_AFX_POINT() CPoint(GET_X_LPARAM(call_.lParam), GET_Y_LPARAM(call_.lParam))
#define QUORLA_AFX_WND(handle) CWnd::FromHandle(reinterpret_cast<HWND>(handle))
#define QUORLA_AFX_DC(handle) CDC::FromHandle(reinterpret_cast<HDC>(handle))

// Window messages. Points are client coordinates as two signed 16-bit
// values, except for WM_NCHITTEST, the WM_NC* buttons and WM_MOUSEWHEEL
// (screen coordinates).
#define ON_WM_CREATE() \
  QUORLA_AFX_ENTRY(WM_CREATE, 0, 0, 0, call_.result = self_->OnCreate(reinterpret_cast<LPCREATESTRUCT>(call_.lParam)); return true;)
#define ON_WM_DESTROY() QUORLA_AFX_ENTRY(WM_DESTROY, 0, 0, 0, self_->OnDestroy(); return true;)
#define ON_WM_PAINT() QUORLA_AFX_ENTRY(WM_PAINT, 0, 0, 0, self_->OnPaint(); return true;)
#define ON_WM_ERASEBKGND() \
  QUORLA_AFX_ENTRY(WM_ERASEBKGND, 0, 0, 0, call_.result = self_->OnEraseBkgnd(QUORLA_AFX_DC(call_.wParam)); return true;)
#define ON_WM_SIZE()                                                                                         \
  QUORLA_AFX_ENTRY(WM_SIZE, 0, 0, 0,                                                                         \
                   self_->OnSize(static_cast<UINT>(call_.wParam), LOWORD(static_cast<ULONG_PTR>(call_.lParam)), \
                                 HIWORD(static_cast<ULONG_PTR>(call_.lParam)));                              \
                   return true;)
#define ON_WM_MOVE() \
  QUORLA_AFX_ENTRY(WM_MOVE, 0, 0, 0, self_->OnMove(GET_X_LPARAM(call_.lParam), GET_Y_LPARAM(call_.lParam)); return true;)
#define ON_WM_TIMER() QUORLA_AFX_ENTRY(WM_TIMER, 0, 0, 0, self_->OnTimer(static_cast<UINT_PTR>(call_.wParam)); return true;)
#define ON_WM_CLOSE() QUORLA_AFX_ENTRY(WM_CLOSE, 0, 0, 0, self_->OnClose(); return true;)
#define QUORLA_AFX_MOUSE(message, handler) \
  QUORLA_AFX_ENTRY(message, 0, 0, 0, self_->handler(static_cast<UINT>(call_.wParam), QUORLA_AFX_POINT()); return true;)
#define ON_WM_LBUTTONDOWN() QUORLA_AFX_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() QUORLA_AFX_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() QUORLA_AFX_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() QUORLA_AFX_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() QUORLA_AFX_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_MOUSEMOVE() QUORLA_AFX_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_MOUSELEAVE() QUORLA_AFX_ENTRY(WM_MOUSELEAVE, 0, 0, 0, self_->OnMouseLeave(); return true;)
#define ON_WM_MOUSEWHEEL()                                                                          \
  QUORLA_AFX_ENTRY(WM_MOUSEWHEEL, 0, 0, 0,                                                          \
                   call_.result = self_->OnMouseWheel(LOWORD(call_.wParam),                         \
                                                      static_cast<short>(HIWORD(call_.wParam)),     \
                                                      QUORLA_AFX_POINT());                          \
                   return true;)
#define ON_WM_SETCURSOR()                                                                                  \
  QUORLA_AFX_ENTRY(WM_SETCURSOR, 0, 0, 0,                                                                  \
                   call_.result = self_->OnSetCursor(                                                      \
                       QUORLA_AFX_WND(call_.wParam),                                                       \
                       static_cast<UINT>(static_cast<SHORT>(LOWORD(static_cast<ULONG_PTR>(call_.lParam)))), \
                       HIWORD(static_cast<ULONG_PTR>(call_.lParam)));                                      \
                   return true;)
#define ON_WM_NCHITTEST() QUORLA_AFX_ENTRY(WM_NCHITTEST, 0, 0, 0, call_.result = self_->OnNcHitTest(QUORLA_AFX_POINT()); return true;)
#define ON_WM_NCLBUTTONDOWN() QUORLA_AFX_MOUSE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONDBLCLK() QUORLA_AFX_MOUSE(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONUP() QUORLA_AFX_MOUSE(WM_NCRBUTTONUP, OnNcRButtonUp)
#define ON_WM_SYSCOMMAND() \
  QUORLA_AFX_ENTRY(WM_SYSCOMMAND, 0, 0, 0, self_->OnSysCommand(static_cast<UINT>(call_.wParam), call_.lParam); return true;)
#define ON_WM_GETMINMAXINFO() \
  QUORLA_AFX_ENTRY(WM_GETMINMAXINFO, 0, 0, 0, self_->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(call_.lParam)); return true;)
// Every WM_CTLCOLOR* message; the kind is CTLCOLOR_*.
#define ON_WM_CTLCOLOR()                                                                                  \
  QUORLA_AFX_ENTRY(::quorla::afx::kCtlColorEntry, 0, 0, 0,                                                \
                   call_.result = reinterpret_cast<LRESULT>(self_->OnCtlColor(                            \
                       QUORLA_AFX_DC(call_.wParam), QUORLA_AFX_WND(call_.lParam), call_.message - WM_CTLCOLORMSGBOX)); \
                   return true;)
#define ON_WM_DRAWITEM()                                                                              \
  QUORLA_AFX_ENTRY(WM_DRAWITEM, 0, 0, 0,                                                              \
                   self_->OnDrawItem(static_cast<int>(call_.wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(call_.lParam)); \
                   call_.result = TRUE; return true;)
#define ON_WM_SHOWWINDOW()                                                                                        \
  QUORLA_AFX_ENTRY(WM_SHOWWINDOW, 0, 0, 0,                                                                        \
                   self_->OnShowWindow(static_cast<BOOL>(call_.wParam), static_cast<UINT>(call_.lParam)); return true;)
#define ON_WM_ACTIVATE()                                                                                 \
  QUORLA_AFX_ENTRY(WM_ACTIVATE, 0, 0, 0,                                                                 \
                   self_->OnActivate(LOWORD(call_.wParam), QUORLA_AFX_WND(call_.lParam), HIWORD(call_.wParam)); \
                   return true;)
#define ON_WM_CAPTURECHANGED() \
  QUORLA_AFX_ENTRY(WM_CAPTURECHANGED, 0, 0, 0, self_->OnCaptureChanged(QUORLA_AFX_WND(call_.lParam)); return true;)
#define QUORLA_AFX_KEY(message, handler)                                                                   \
  QUORLA_AFX_ENTRY(message, 0, 0, 0,                                                                       \
                   self_->handler(static_cast<UINT>(call_.wParam), LOWORD(static_cast<ULONG_PTR>(call_.lParam)), \
                                  HIWORD(static_cast<ULONG_PTR>(call_.lParam)));                           \
                   return true;)
#define ON_WM_KEYDOWN() QUORLA_AFX_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() QUORLA_AFX_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() QUORLA_AFX_KEY(WM_CHAR, OnChar)
#define ON_WM_SETFOCUS() QUORLA_AFX_ENTRY(WM_SETFOCUS, 0, 0, 0, self_->OnSetFocus(QUORLA_AFX_WND(call_.wParam)); return true;)
#define ON_WM_KILLFOCUS() QUORLA_AFX_ENTRY(WM_KILLFOCUS, 0, 0, 0, self_->OnKillFocus(QUORLA_AFX_WND(call_.wParam)); return true;)

// Any message: LRESULT handler(WPARAM, LPARAM).
#define ON_MESSAGE(message, handler) \
  QUORLA_AFX_ENTRY(message, 0, 0, 0, call_.result = self_->handler(call_.wParam, call_.lParam); return true;)

// Commands (WM_COMMAND from menus, posted commands and buttons' BN_CLICKED):
// void handler(); ranges void handler(UINT id).
#define ON_COMMAND(id, handler) QUORLA_AFX_ENTRY(WM_COMMAND, 0, id, id, self_->handler(); return true;)
#define ON_COMMAND_RANGE(firstId, lastId, handler) \
  QUORLA_AFX_ENTRY(WM_COMMAND, 0, firstId, lastId, self_->handler(call_.id); return true;)
// A control's notification code: void handler().
#define ON_CONTROL(code, id, handler) QUORLA_AFX_ENTRY(WM_COMMAND, code, id, id, self_->handler(); return true;)
#define ON_CONTROL_RANGE(code, firstId, lastId, handler) \
  QUORLA_AFX_ENTRY(WM_COMMAND, code, firstId, lastId, self_->handler(call_.id); return true;)
#define ON_BN_CLICKED(id, handler) ON_CONTROL(BN_CLICKED, id, handler)
#define ON_EN_CHANGE(id, handler) ON_CONTROL(EN_CHANGE, id, handler)
#define ON_EN_KILLFOCUS(id, handler) ON_CONTROL(EN_KILLFOCUS, id, handler)
#define ON_EN_SETFOCUS(id, handler) ON_CONTROL(EN_SETFOCUS, id, handler)

// WM_NOTIFY: void handler(NMHDR*, LRESULT*); the _RANGE forms take the
// identifier first; the _EX forms return BOOL, FALSE passing it on.
#define QUORLA_AFX_NMHDR() reinterpret_cast<NMHDR*>(call_.lParam)
#define ON_NOTIFY(code, id, handler) \
  QUORLA_AFX_ENTRY(WM_NOTIFY, code, id, id, self_->handler(QUORLA_AFX_NMHDR(), &call_.result); return true;)
#define ON_NOTIFY_RANGE(code, firstId, lastId, handler) \
  QUORLA_AFX_ENTRY(WM_NOTIFY, code, firstId, lastId, self_->handler(call_.id, QUORLA_AFX_NMHDR(), &call_.result); return true;)
#define ON_NOTIFY_EX(code, id, handler) \
  QUORLA_AFX_ENTRY(WM_NOTIFY, code, id, id, return self_->handler(call_.id, QUORLA_AFX_NMHDR(), &call_.result) != FALSE;)
#define ON_NOTIFY_EX_RANGE(code, firstId, lastId, handler) \
  QUORLA_AFX_ENTRY(WM_NOTIFY, code, firstId, lastId,      \
                   return self_->handler(call_.id, QUORLA_AFX_NMHDR(), &call_.result) != FALSE;)

// Reflection: the control's own entries for what it tells its parent. A
// control that takes the notification keeps it from the parent's entries.
#define ON_CONTROL_REFLECT(code, handler) \
  QUORLA_AFX_ENTRY(::quorla::afx::kReflectBase + WM_COMMAND, code, 0, 0, self_->handler(); return true;)
#define ON_CONTROL_REFLECT_EX(code, handler) \
  QUORLA_AFX_ENTRY(::quorla::afx::kReflectBase + WM_COMMAND, code, 0, 0, return self_->handler() != FALSE;)
#define ON_NOTIFY_REFLECT(code, handler)                                     \
  QUORLA_AFX_ENTRY(::quorla::afx::kReflectBase + WM_NOTIFY, code, 0, 0,      \
                   self_->handler(QUORLA_AFX_NMHDR(), &call_.result); return true;)
#define ON_NOTIFY_REFLECT_EX(code, handler)                             \
  QUORLA_AFX_ENTRY(::quorla::afx::kReflectBase + WM_NOTIFY, code, 0, 0, \
                   return self_->handler(QUORLA_AFX_NMHDR(), &call_.result) != FALSE;)
// HBRUSH CtlColor(CDC*, UINT kind): a null brush leaves the message to the
// parent.
#define ON_WM_CTLCOLOR_REFLECT()                                                                        \
  QUORLA_AFX_ENTRY(::quorla::afx::kReflectBase + ::quorla::afx::kCtlColorEntry, 0, 0, 0,                \
                   HBRUSH brush_ = self_->CtlColor(QUORLA_AFX_DC(call_.wParam), call_.message - WM_CTLCOLORMSGBOX); \
                   call_.result = reinterpret_cast<LRESULT>(brush_); return brush_ != nullptr;)
// void DrawItem(LPDRAWITEMSTRUCT), for controls without a DrawItem of
// their own class.
#define ON_WM_DRAWITEM_REFLECT()                                                                  \
  QUORLA_AFX_ENTRY(::quorla::afx::kReflectBase + WM_DRAWITEM, 0, 0, 0,                            \
                   self_->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(call_.lParam)); call_.result = TRUE; \
                   return true;)
