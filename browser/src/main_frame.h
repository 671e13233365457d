#pragma once
// CMainFrame: the browser's one top-level window. It has no frame of the
// desktop's: it draws its caption, borders, rows and status bar itself from
// its skin images, is moved by its caption through the platform, and sizes
// itself by its edges with its own mouse handling. It lives until its close
// path ends the process. Made and used on the user-interface thread only.
#include "afx/string.h"
#include "afx/tooltip_ctrl.h"
#include "afx/wnd.h"
#include "frame_drag.h"
#include "frame_images.h"
#include "my_image_bar.h"
#include "text_link.h"

class CMainFrame : public CWnd {
 public:
  // Registers the window class, creates the window (hidden, at the default
  // place and size) and asks for it to be maximised: the browser always
  // opens maximised. GetSafeHwnd() is null when the creation failed.
  CMainFrame();
  ~CMainFrame() override;

  // Hands every message to the tooltip control, then lets the framework go
  // on.
  BOOL PreTranslateMessage(MSG* msg) override;

  // The frame zone of a point in client coordinates; while this window
  // holds the capture, the zone of the drag in progress.
  int FrameHitTest(CPoint client) const;

  CMyImageBar& CaptionButtons() { return m_captionButtons; }
  CMyImageBar& NavigationButtons() { return m_navigationButtons; }
  CTextLink& SettingsLink() { return m_settingsLink; }
  CTextLink& FeedbackLink() { return m_feedbackLink; }
  CToolTipCtrl& ToolTips() { return m_toolTip; }
  const FrameImages& Images() const { return m_images; }
  const FrameDrag& Drag() const { return m_drag; }

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT create);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* info);
  afx_msg LRESULT OnNcHitTest(CPoint screen);
  afx_msg BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnRButtonDown(UINT flags, CPoint point);
  afx_msg void OnCaptureChanged(CWnd* window);
  afx_msg void OnSysCommand(UINT id, LPARAM lParam);
  afx_msg void OnTimer(UINT_PTR id);
  afx_msg void OnClose();
  afx_msg void OnCaptionButton(UINT id);
  afx_msg LRESULT OnRestoreWindow(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

 private:
  void CreateToolTips();
  void CreateCaptionButtons();
  void CreateNavigationButtons();
  void CreateLinks();
  void LayoutChildren();
  void OnStartTimer();
  void ShowWindowMenu();
  void SetSizingCursor(int code);
  void ClosePath();

  // In the order the window is made of them. The toolbars, the boxes and
  // buttons of the navigation row, the tab strip, the pop-ups, the search
  // sites, the price offer bar and the page-icon queue take their places
  // with their parts of the program.
  CMyImageBar m_captionButtons;     // minimise 1001, maximise 1003 or restore 1002, close 1004
  CMyImageBar m_navigationButtons;  // back 1011, forward 1010, stop 1013, refresh 1012
  CTextLink m_settingsLink;         // "设置"
  CTextLink m_feedbackLink;         // "反馈"
  CToolTipCtrl m_toolTip;           // shared by the button bars
  FrameImages m_images;
  FrameDrag m_drag;
  int m_hitCode = 1;                // the zone of the latest mouse message
  HICON m_icon = nullptr;
};
