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
#include "choose_list.h"
#include "search_edit.h"
#include "frame_drag.h"
#include "frame_images.h"
#include "address_edit.h"
#include "hover_button.h"
#include "main_frame_layout.h"
#include "my_image_bar.h"
#include "my_tab_ctrl.h"
#include "my_tool_bar.h"
#include "tab_strip_owner.h"
#include "text_link.h"
#include "view_owner.h"

class CKQIEView;

class CMainFrame : public CWnd, public ITabStripOwner, public ViewOwner {
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

  // Tabs (main_frame_tabs.cpp). A new tab with a new view, selected and
  // navigated to the address.
  void OpenUrlInNewTab(LPCWSTR address) override;
  // The strip has removed tab index, which held view: the view goes and
  // the tab at the same index (or the last one) is selected.
  void CloseTab(int index, CWnd* view) override;
  // With a first tab: whether it shows the start page. Without: opens the
  // start page in a new tab and answers true.
  bool EnsureStartPage() override;
  // The current view's address, title, status, back and forward and offer.
  void ShowCurrentView() override;
  void PlaceHomeButton() override;
  // The view of the selected tab; null without one.
  CKQIEView* CurrentView() const;

  // What the views tell (main_frame_view_callbacks.cpp).
  void AdoptNewWindowView(CKQIEView* view) override;
  void OnViewStatusText(CKQIEView* view) override;
  void OnViewNavigate(CKQIEView* view, LPCWSTR url) override;
  void OnViewTitle(CKQIEView* view, LPCWSTR title) override;
  void OnViewCommandState(CKQIEView* view, BOOL enable, LONG command) override;
  bool HoldsView(const CKQIEView* view) const override;

  // The search box's text searched on the chosen site, in a new tab
  // (main_frame_search.cpp); the address box's text in the current tab.
  void Search();
  void GoToAddress();

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
  CSearchEdit& SearchBox() { return m_searchBox; }
  CAddressEdit& AddressBox() { return m_addressBox; }
  CChooseList& Chooser() { return m_chooser; }
  CMyTabCtrl& Tabs() { return m_tabs; }
  // The chosen search site's icon, drawn beside the search box.
  const CMyImage* SiteIcon() const { return m_siteIcon; }
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
  afx_msg void OnNavigationButton(UINT id);
  afx_msg void OnHomePage();
  afx_msg void OnShowWatchList();
  afx_msg void OnSearch();
  afx_msg void OnShowChooser();
  afx_msg void OnGo();
  afx_msg void OnStartPage();
  afx_msg void OnSelectSite(UINT id);
  afx_msg void OnHideChooser(UINT id);
  afx_msg void OnAddressChange();
  afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
  afx_msg BOOL OnTabToolTipText(UINT id, NMHDR* header, LRESULT* result);
  afx_msg void OnFavouriteGroup(UINT id);
  afx_msg void OnFavouriteLink(UINT id);
  afx_msg LRESULT OnToolbarOverflow(WPARAM bar, LPARAM overflow);
  afx_msg LRESULT OnLinkClicked(WPARAM link, LPARAM);

  // What the price engine and the watch-list windows send
  // (main_frame_messages.cpp).
  afx_msg LRESULT OnPriceParsed(WPARAM, LPARAM view);
  afx_msg LRESULT OnPriceDrop(WPARAM id, LPARAM);
  afx_msg LRESULT OnOpenItemUrl(WPARAM, LPARAM address);
  afx_msg LRESULT OnFaviconLoaded(WPARAM, LPARAM request);
  DECLARE_MESSAGE_MAP()

 private:
  void CreateToolTips();
  void CreateCaptionButtons();
  void CreateNavigationButtons();
  void CreateToolbars();
  // The navigation row's boxes and buttons, the site chooser, the tab strip
  // and the home button.
  void CreateRows();
  void CreateRowButton(CHoverButton& button, UINT id, UINT strip);
  void CreateChooser();
  void CreateTabStrip();
  void CreateLinks();
  void LayoutChildren();
  void OnStartTimer();
  void ShowWindowMenu();
  void SetSizingCursor(int code);
  void ClosePath();
  void RedrawStatus();
  void RedrawCaption();
  void DrawPageIcon(CDC& dc, CPoint place);
  // Hides the view of the tab shown last unless it is index, shows index's.
  void ShowTab(int index);
  // Tab state bits under the mask of the view's tab.
  void SetTabState(int index, DWORD mask, DWORD state);
  // The browser's own write into the address box, which the user's typing
  // there no longer holds back.
  void SetAddressText(const CString& text);
  // The caption: a page title and the product's name.
  void SetCaptionTitle(const CString& title);
  // Hides the offer bar, then offers the current view's parsed product.
  void OnPriceCandidate();
  bool IsForTabRow(const MSG& msg, CPoint* stripPoint) const;
  // The page's document title, else fallback; cut to what a tab or the
  // caption can show, so a page's endless title costs nothing.
  static CString PageTitle(const CKQIEView& view, LPCWSTR fallback);

  // In the order the window is made of them.
  CMyImageBar m_captionButtons;     // minimise 1001, maximise 1003 or restore 1002, close 1004
  CMyImageBar m_navigationButtons;  // back 1011, forward 1010, stop 1013, refresh 1012
  CMyToolBar m_mainToolbar;         // home page 1020, watch list 1021
  CMyToolBar m_favouritesBar;       // the favourites' groups 1060-1160
  CHoverButton m_searchButton;      // 1030
  CHoverButton m_chooserButton;     // 1032
  CHoverButton m_homeButton;        // 1035
  CSearchEdit m_searchBox;          // 1031
  CHoverButton m_goButton;          // 1033
  CAddressEdit m_addressBox;        // 1034
  CTextLink m_settingsLink;         // "设置"
  CTextLink m_feedbackLink;         // "反馈"
  CMyTabCtrl m_tabs{*this};         // 10000
  CToolTipCtrl m_toolTip;           // shared by the button bars and the tab strip
  CChooseList m_chooser;            // the search sites 1600-1602
  FrameImages m_images;
  FrameDrag m_drag;
  int m_hitCode = 1;                // the zone of the latest mouse message
  CString m_statusText;
  // The user has typed into the address box since the browser last wrote
  // there, and has not pressed Enter: page titles leave the box alone.
  bool m_addressTyped = false;
  bool m_writingAddress = false;
  const CMyImage* m_siteIcon = nullptr;  // the chosen search site's icon
  HICON m_icon = nullptr;
};
