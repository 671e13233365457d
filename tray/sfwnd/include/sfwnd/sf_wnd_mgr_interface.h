#pragma once
// ISFWndMgr: what a windowless control asks of the manager that hosts it.
// The slot order is fixed; controls call through it.
#include "win/types.h"

class CSFWnd;

class ISFWndMgr {
 public:
  // Appends a non-null control to the list.
  virtual int AddWnd(CSFWnd* wnd) = 0;
  // Drops every occurrence of the control, keeping the order of the rest.
  virtual int RemoveWnd(CSFWnd* wnd) = 0;
  virtual int RedrawWnd(CSFWnd* wnd) = 0;
  virtual int ResizeWnd(CSFWnd* wnd, int cx, int cy) = 0;
  virtual int MoveWnd(CSFWnd* wnd, int x, int y) = 0;
  virtual int SetCaptureWnd(CSFWnd* wnd) = 0;
  virtual int ReleaseCaptureWnd(CSFWnd* wnd) = 0;
  virtual LRESULT SendHostMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  virtual BOOL PostHostMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // WM_COMMAND to the host: MAKEWPARAM(id, code), the sender as lParam.
  virtual LRESULT SendCommand(CSFWnd* sender, UINT code, UINT id) = 0;
  virtual ~ISFWndMgr() = default;
};
