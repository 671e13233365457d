#pragma once
// CMainFrame: the browser's one top-level window. It has no frame of the
// desktop's: it draws its caption, borders, rows and status bar itself from
// its skin images, is moved by its caption through the platform, and sizes
// itself by its edges with its own mouse handling. Under the caption it
// carries the navigation row (buttons, main toolbar, address and search
// boxes), the favourites bar, the tab strip with the pages and the status
// bar. It lives until its close path ends the process. Made and used on the
// user-interface thread only.
//
// Its code is split by concern: main_frame.cpp (creation, start timer,
// close), main_frame_frame.cpp (the borderless frame), main_frame_layout.cpp,
// main_frame_paint.cpp, main_frame_commands.cpp, main_frame_routing.cpp and
// main_frame_messages.cpp (what other parts of the program send).
#include "afx/string.h"
#include "afx/tooltip_ctrl.h"
#include "afx/wnd.h"
#include "frame_drag.h"
#include "frame_images.h"
#include "hover_button.h"
#include "main_frame_layout.h"
#include "my_image_bar.h"
#include "my_tool_bar.h"
#include "text_link.h"

class CMainFrame : public CWnd {
 public:
  // Registers the window class, creates the window (hidden, at the default
  // place and size) and asks for it to be maximised: the browser always
  // opens maximised. GetSafeHwnd() is null when the creation failed.
  CMainFrame();
  ~CMainFrame() override;

  // Routes the mouse wheel, the site chooser's and the tab row's mouse
  // messages and Enter in the two boxes (main_frame_routing.cpp).
  BOOL PreTranslateMessage(MSG* msg) override;

  // The frame zone of a point in client coordinates; while this window
  // holds the capture, the zone of the drag in progress.
  int FrameHitTest(CPoint client) const;

  // The status bar's text; it is drawn again at once.
  void SetStatusText(const CString& text);
  const CString& GetStatusText() const { return m_statusText; }

  // The sizes the rows are laid out and drawn with, at the current client
  // size.
  RowMetrics Metrics() const;

  CMyImageBar& CaptionButtons() { return m_captionButtons; }
  CMyImageBar& NavigationButtons() { return m_navigationButtons; }
  CMyToolBar& MainToolbar() { return m_mainToolbar; }
  CMyToolBar& FavouritesBar() { return m_favouritesBar; }
  CHoverButton& SearchButton() { return m_searchButton; }
  CHoverButton& ChooserButton() { return m_chooserButton; }
  CHoverButton& HomeButton() { return m_homeButton; }
  CHoverButton& GoButton() { return m_goButton; }
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

  // Commands (main_frame_commands.cpp).
  afx_msg void OnShowWatchList();
  afx_msg void OnFavouriteGroup(UINT id);
  afx_msg LRESULT OnToolbarOverflow(WPARAM bar, LPARAM overflow);
  afx_msg LRESULT OnLinkClicked(WPARAM link, LPARAM);

  // What the price engine and the watch-list windows send
  // (main_frame_messages.cpp).
  afx_msg LRESULT OnPriceDrop(WPARAM id, LPARAM);
  DECLARE_MESSAGE_MAP()

 private:
  void CreateToolTips();
  void CreateCaptionButtons();
  void CreateNavigationButtons();
  void CreateToolbars();
  void CreateRowButtons();
  void CreateLinks();
  void LayoutChildren();
  void PlaceHomeButton();
  void OnStartTimer();
  void ShowWindowMenu();
  void SetSizingCursor(int code);
  void ClosePath();
  void RedrawStatus();
  void RedrawCaption();

  // In the order the window is made of them. The search and address boxes,
  // the site chooser and the tab strip take their places with their parts
  // of the program.
  CMyImageBar m_captionButtons;     // minimise 1001, maximise 1003 or restore 1002, close 1004
  CMyImageBar m_navigationButtons;  // back 1011, forward 1010, stop 1013, refresh 1012
  CMyToolBar m_mainToolbar;         // home page 1020, watch list 1021
  CMyToolBar m_favouritesBar;       // the favourites' groups 1060-1160
  CHoverButton m_searchButton;      // 1030
  CHoverButton m_chooserButton;     // 1032
  CHoverButton m_homeButton;        // 1035
  CHoverButton m_goButton;          // 1033
  CTextLink m_settingsLink;         // "设置"
  CTextLink m_feedbackLink;         // "反馈"
  CToolTipCtrl m_toolTip;           // shared by the button bars
  FrameImages m_images;
  FrameDrag m_drag;
  int m_hitCode = 1;                // the zone of the latest mouse message
  CString m_statusText;
  const CMyImage* m_siteIcon = nullptr;  // the chosen search site's icon
  HICON m_icon = nullptr;
};
