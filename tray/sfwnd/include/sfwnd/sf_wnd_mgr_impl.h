#pragma once
// CSFWndMgrImpl: the control list of a manager, in paint and hit-test order.
// The list only points at the controls. Every operation but the list's own
// does nothing and returns 0; CSFWndMgr binds them to a host window.
#include <vector>

#include "sfwnd/sf_wnd_mgr_interface.h"

class CSFWndMgrImpl : public ISFWndMgr {
 public:
  int AddWnd(CSFWnd* wnd) override;
  int RemoveWnd(CSFWnd* wnd) override;
  int RedrawWnd(CSFWnd* wnd) override { return 0; }
  int ResizeWnd(CSFWnd* wnd, int cx, int cy) override { return 0; }
  int MoveWnd(CSFWnd* wnd, int x, int y) override { return 0; }
  int SetCaptureWnd(CSFWnd* wnd) override { return 0; }
  int ReleaseCaptureWnd(CSFWnd* wnd) override { return 0; }
  LRESULT SendHostMessage(UINT message, WPARAM wParam, LPARAM lParam) override { return 0; }
  BOOL PostHostMessage(UINT message, WPARAM wParam, LPARAM lParam) override { return 0; }
  LRESULT SendCommand(CSFWnd* sender, UINT code, UINT id) override { return 0; }
  ~CSFWndMgrImpl() override = default;

  const std::vector<CSFWnd*>& GetWnds() const { return m_wnds; }

 protected:
  std::vector<CSFWnd*> m_wnds;
};
