#pragma once
// CToolTipCtrl: the layer's tooltip control (win/common_controls.h) as a
// window object.
//
// A tool is named by a window and an identifier. With an identifier, the
// tool is a rectangle of that window's client area (the whole client area
// when no rectangle is given, as it is at the time of the call); with
// identifier 0 it is the whole window, which then must have a parent. The
// control keeps a copy of each text; LPSTR_TEXTCALLBACKW makes it ask the
// tool's window (WM_NOTIFY TTN_GETDISPINFOW) each time it shows; a string
// identifier takes the text from the program's string table (a missing
// string: a tool with an empty text, which shows nothing). Adding a tool
// twice makes two tools; one DelTool takes one away.
//
// The control sees the mouse only through RelayEvent, which an owner calls
// from its PreTranslateMessage for every message of the loop.
#include "afx/string.h"
#include "afx/wnd.h"
#include "win/common_controls.h"

class CToolTipCtrl : public CWnd {
 public:
  // A tooltip window owned by parent (which may be null), with TTS_* bits
  // added to WS_POPUP. FALSE when it could not be made.
  BOOL Create(CWnd* parent, DWORD style = 0);

  // FALSE stops showing tips (and hides the one shown) until reactivated.
  void Activate(BOOL activate);
  // Hands a mouse message of any window to the control; other messages are
  // ignored by it.
  void RelayEvent(LPMSG msg);

  // FALSE for a null or window-less tool window, or identifier 0 on a
  // window without a parent.
  BOOL AddTool(CWnd* wnd, LPCWSTR text = LPSTR_TEXTCALLBACKW, LPCRECT rect = nullptr, UINT_PTR toolId = 0);
  BOOL AddTool(CWnd* wnd, UINT textId, LPCRECT rect = nullptr, UINT_PTR toolId = 0);
  void DelTool(CWnd* wnd, UINT_PTR toolId = 0);
  void SetToolRect(CWnd* wnd, UINT_PTR toolId, LPCRECT rect);
  // The tip shown for the tool follows at once.
  void UpdateTipText(LPCWSTR text, CWnd* wnd, UINT_PTR toolId = 0);
  void UpdateTipText(UINT textId, CWnd* wnd, UINT_PTR toolId = 0);
  // The tool's kept text, its first 1023 units (empty for a callback tool
  // or an unknown one).
  void GetText(CString& text, CWnd* wnd, UINT_PTR toolId = 0) const;
  // Fills the record (its hwnd, uId, uFlags, rect, hinst and lParam;
  // lpszText is LPSTR_TEXTCALLBACKW for a callback tool, else null); FALSE
  // for an unknown tool.
  BOOL GetToolInfo(TOOLINFOW& info, CWnd* wnd, UINT_PTR toolId = 0) const;
  int GetToolCount() const;

  // TTDT_AUTOMATIC: all three delays from one value.
  void SetDelayTime(UINT delay);
  void SetDelayTime(DWORD which, int milliseconds);
  int GetDelayTime(DWORD which) const;
  // Text wider than this many pixels wraps (-1: never); the previous width.
  int SetMaxTipWidth(int width);
  // Hides the tip shown, if any.
  void Pop();
};
