#pragma once
// CWnd: a C++ object bound to one window, whose messages it handles through
// its message map.
//
// Binding. Create and CreateEx bind the object to its window before the
// window's first message, through the layer's creation hook, whatever the
// procedure of the window's class (even DefWindowProcW); SubclassWindow
// binds an existing window. Either way the window's procedure is replaced by
// the framework's, which finds the object by handle, and the replaced
// procedure becomes the object's default handling (DefWindowProc, Default).
// Objects are bound per thread: a window's messages arrive on the thread
// that made it, and FromHandle finds bound objects of the calling thread.
//
// Lifetime. The caller owns the object. When the window is destroyed the
// object is unbound after its WM_NCDESTROY and then PostNcDestroy runs
// (once the object's outermost message has returned, when the window goes
// while one of its own handlers still runs); an override may delete the
// object there. A handler may delete its object (delete this); the
// framework touches nothing of it afterwards. Deleting an object whose
// window still exists destroys the window.
//
// Temporary objects. FromHandle gives a window without an object a
// temporary one, kept until the application's loop is next idle: pointers
// to it stay valid for the message being handled, not longer.
#include "afx/geometry.h"
#include "afx/message_map.h"
#include "afx/string.h"
#include "win/dc.h"
#include "win/input.h"
#include "win/menus.h"
#include "win/messages.h"
#include "win/notifications.h"
#include "win/painting.h"
#include "win/timers.h"
#include "win/window_classes.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"

struct MINMAXINFO;
struct CCreateContext;
class CDC;
class CFont;
class CRgn;

using CREATESTRUCT = CREATESTRUCTW;
using LPCREATESTRUCT = CREATESTRUCTW*;

class CWnd {
 public:
  CWnd();
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;
  operator HWND() const { return m_hWnd; }
  // The places SetWindowPos takes for insertAfter.
  static const CWnd wndTop;
  static const CWnd wndBottom;
  static const CWnd wndTopMost;
  static const CWnd wndNoTopMost;
  HWND GetSafeHwnd() const { return m_hWnd; }

  // The object bound to the window on this thread, else a temporary one;
  // null for a null handle.
  static CWnd* FromHandle(HWND hwnd);
  // The bound object only.
  static CWnd* FromHandlePermanent(HWND hwnd);
  // Binds without touching the window's procedure (the object sees no
  // messages); FALSE when the object has a window or the window an object.
  BOOL Attach(HWND hwnd);
  HWND Detach();
  // Binds an existing window of this thread and routes its messages here.
  BOOL SubclassWindow(HWND hwnd);
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  // Gives the window back its own procedure and unbinds it.
  HWND UnsubclassWindow();

  // className null: a class registered for the purpose (AfxRegisterWndClass
  // with the arrow cursor). Rectangles are in the parent's client
  // coordinates for a child. FALSE when the window could not be made.
  virtual BOOL Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                      CCreateContext* context = nullptr);
  BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                int height, HWND parent, HMENU menuOrId, LPVOID param = nullptr);
  BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                UINT id, LPVOID param = nullptr);
  virtual BOOL DestroyWindow();

  // Offered every message of the application's loops before it is
  // translated and dispatched (see CWinApp); TRUE swallows it.
  virtual BOOL PreTranslateMessage(MSG* msg);
  // Walks from msg's window up through its parents (and owners) to stop,
  // offering the message to each bound object; TRUE when one took it.
  // Reports through reachedStop whether stop was on the way.
  static BOOL WalkPreTranslateTree(HWND stop, MSG* msg, bool* reachedStop = nullptr);

  // The message being handled on this thread (its window, number and
  // parameters), or an empty one outside any handler.
  static const MSG* GetCurrentMessage();

  // The framework's handling of every message: the map, then the default.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The map's part; FALSE when no entry took the message.
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // The window's own procedure from before the binding (DefWindowProcW for
  // a class whose procedure is the framework's).
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The default handling of the message being handled, with its own
  // parameters (whatever the handler was given); 0 when the window is gone.
  LRESULT Default();

  // WM_COMMAND and WM_NOTIFY: first to the control that sent them, when it
  // has an object that takes them (reflection), then to this map's command
  // and notification entries. TRUE when taken.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
  // A notification of this control to its parent, handed back to it:
  // WM_COMMAND, WM_NOTIFY, WM_DRAWITEM or WM_CTLCOLOR*. TRUE when taken.
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // Looks the notification up among this map's reflection entries.
  BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // Hands the message being handled to the control that sent it.
  static BOOL ReflectLastMsg(HWND child, LRESULT* result = nullptr);

  virtual const AFX_MSGMAP* GetMessageMap() const;
  static const AFX_MSGMAP* GetThisMessageMap();

  // Window calls.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL ShowWindow(int command);
  void UpdateWindow();
  void Invalidate(BOOL erase = TRUE);
  void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
  void InvalidateRgn(CRgn* region, BOOL erase = TRUE);
  void ValidateRect(LPCRECT rect);
  BOOL RedrawWindow(LPCRECT rect = nullptr, CRgn* region = nullptr,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
  void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
  void BringWindowToTop();
  void GetClientRect(LPRECT rect) const;
  void GetWindowRect(LPRECT rect) const;
  void ClientToScreen(LPPOINT point) const;
  void ClientToScreen(LPRECT rect) const;
  void ScreenToClient(LPPOINT point) const;
  void ScreenToClient(LPRECT rect) const;
  void MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const;
  void MapWindowPoints(CWnd* to, LPRECT rect) const;
  BOOL IsWindowVisible() const;
  BOOL IsWindowEnabled() const;
  BOOL EnableWindow(BOOL enable = TRUE);
  BOOL IsIconic() const;
  BOOL IsZoomed() const;
  CWnd* GetParent() const;
  // The outermost window reached through parents and owners.
  CWnd* GetTopLevelParent() const;
  CWnd* GetDlgItem(int id) const;
  int GetDlgCtrlID() const;
  int SetDlgCtrlID(int id);
  void SetWindowText(LPCWSTR text);
  int GetWindowText(LPWSTR text, int maxCount) const;
  void GetWindowText(CString& text) const;
  int GetWindowTextLength() const;
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  // Changes the style bits; with flags, also calls SetWindowPos(flags |
  // SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE). FALSE when
  // nothing changed.
  BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
  BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
  void SetFont(CFont* font, BOOL redraw = TRUE);
  CFont* GetFont() const;
  UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC callback = nullptr);
  BOOL KillTimer(UINT_PTR id);
  CWnd* SetCapture();
  static CWnd* GetCapture();
  CWnd* SetFocus();
  static CWnd* GetFocus();
  int SetWindowRgn(HRGN region, BOOL redraw);
  CDC* GetDC();
  CDC* GetWindowDC();
  int ReleaseDC(CDC* dc);

 protected:
  // May change the creation's parameters; FALSE stops the creation.
  virtual BOOL PreCreateWindow(CREATESTRUCTW& cs);
  // After the window is gone and the object unbound.
  virtual void PostNcDestroy();

  // The default handlers: each gives the message its default handling.
  afx_msg int OnCreate(LPCREATESTRUCT create);
  afx_msg void OnDestroy();
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnMove(int x, int y);
  afx_msg void OnTimer(UINT_PTR id);
  afx_msg void OnClose();
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
  afx_msg void OnRButtonDown(UINT flags, CPoint point);
  afx_msg void OnRButtonUp(UINT flags, CPoint point);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnMouseLeave();
  afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
  afx_msg BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg void OnNcLButtonDown(UINT hitTest, CPoint point);
  afx_msg void OnNcLButtonDblClk(UINT hitTest, CPoint point);
  afx_msg void OnNcRButtonUp(UINT hitTest, CPoint point);
  afx_msg void OnSysCommand(UINT id, LPARAM lParam);
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* info);
  // Hands the message to the control first (its WM_CTLCOLOR reflection
  // entry); its brush when it took it, else the default handling's.
  afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
  afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
  afx_msg void OnShowWindow(BOOL show, UINT status);
  afx_msg void OnActivate(UINT state, CWnd* other, BOOL minimized);
  afx_msg void OnCaptureChanged(CWnd* window);
  afx_msg void OnKeyDown(UINT ch, UINT repeat, UINT flags);
  afx_msg void OnKeyUp(UINT ch, UINT repeat, UINT flags);
  afx_msg void OnChar(UINT ch, UINT repeat, UINT flags);
  afx_msg void OnSetFocus(CWnd* old);
  afx_msg void OnKillFocus(CWnd* next);

  // The procedure the binding replaced.
  WNDPROC m_pfnSuper = nullptr;

 private:
  friend struct CWndAccess;
  explicit CWnd(HWND special);
  void BindForCreation(HWND hwnd);
  void FinishWindow();

  bool temporary_ = false;
  bool postNcDestroyDue_ = false;
};

// The framework's window procedure, which every bound window gets.
LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// A window class for the given look, registered once per process with the
// default procedure (the framework binds its windows itself) and the
// program's instance. The name stays valid for the life of the process.
LPCWSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                            HICON icon = nullptr);
