#pragma once
// CSFWndMgr: the control manager bound to one host window. The host's
// message handling calls ProcessWindowMessage before its own entries and
// stops when the message is reported handled; the manager paints the
// controls (each composed off-screen on the shared canvas when it fits),
// routes the mouse to the first visible, enabled control under it in list
// order, tracks hover and capture, and turns clicks into WM_COMMAND of the
// host. The host object owns the controls and this manager; the host window
// is learnt from the first message (WM_NCDESTROY, a window's last, does not
// count) and forgotten on WM_DESTROY, so the object can host again. Host
// operations on a handle that is not a window do nothing and return 0.
// User-interface thread only.
#include "sfwnd/sf_wnd_mgr_impl.h"
#include "win/dc.h"

class CSFWndMgr : public CSFWndMgrImpl {
 public:
  CSFWndMgr() = default;
  CSFWndMgr(const CSFWndMgr&) = delete;
  CSFWndMgr& operator=(const CSFWndMgr&) = delete;

  // Also forgets the control as hover or capture control, so a control
  // removed and then destroyed is never called again.
  int RemoveWnd(CSFWnd* wnd) override;
  int RedrawWnd(CSFWnd* wnd) override;
  int ResizeWnd(CSFWnd* wnd, int cx, int cy) override;
  int MoveWnd(CSFWnd* wnd, int x, int y) override;
  int SetCaptureWnd(CSFWnd* wnd) override;
  int ReleaseCaptureWnd(CSFWnd* wnd) override;
  LRESULT SendHostMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL PostHostMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT SendCommand(CSFWnd* sender, UINT code, UINT id) override;
  ~CSFWndMgr() override = default;
  // Draws, in list order, every visible control that meets the update area
  // and excludes each from the DC's clipping, so the background painted
  // afterwards fills only the rest.
  virtual void PaintChildren(HDC dc, const RECT* update);
  // The host's background for a rectangle in client coordinates; the host
  // overrides it.
  virtual void PaintBackground(HDC dc, const RECT* rect) {}

  // Sets handled (and result) for the messages the manager takes; returns
  // handled.
  BOOL ProcessWindowMessage(HWND host, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, BOOL& handled);

  HWND GetHost() const { return m_host; }
  CSFWnd* GetHoverWnd() const { return m_hover; }
  CSFWnd* GetCaptureWnd() const { return m_capture; }
  // The first visible, enabled control containing the point, or null.
  CSFWnd* HitTest(POINT point) const;

 private:
  bool HostIsWindow() const;
  // Composes the control on the canvas when it fits, else draws it straight
  // into dc; with exclude, takes its rectangle out of dc's clipping.
  void DrawWnd(HDC dc, CSFWnd* wnd, bool exclude);
  void Paint(WPARAM wParam);
  BOOL OnSetCursor(LRESULT& result);
  BOOL OnMouseMove(POINT point, LRESULT& result);
  BOOL OnButton(UINT message, POINT point, LRESULT& result);
  BOOL OnCaptureChanged();

  HWND m_host = nullptr;
  CSFWnd* m_hover = nullptr;
  CSFWnd* m_capture = nullptr;
};
