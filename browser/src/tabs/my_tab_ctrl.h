#pragma once
// CMyTabCtrl: the row of tabs above the pages, one tab per browser view.
// The platform's tab control keeps the items, the selection and the
// geometry; this class draws everything itself (strip, tab slices, page
// icon or loading animation, title, close glyph), lights tabs under the
// pointer, closes a tab on its close glyph or a double click, and keeps the
// views, which are its child windows, below the tab row. Opening, closing
// and showing pages goes through its owner (ITabStripOwner).
//
// Each item's lParam is a TabItem the strip makes in AddTab and frees in
// RemoveTab (or when its window goes); the views stay the owner's.
// User-interface thread only.
#include "afx/dc.h"
#include "afx/font.h"
#include "afx/string.h"
#include "afx/tab_ctrl.h"
#include "my_image.h"
#include "tab_item.h"
#include "tab_strip_owner.h"

class CMyTabCtrl : public CTabCtrl {
 public:
  // The control identifier and style the main window creates the strip with.
  static constexpr UINT kControlId = 10000;
  static constexpr DWORD kStyle = 0x56000400;  // child, visible, clipping siblings and children, fixed width

  explicit CMyTabCtrl(ITabStripOwner& owner);
  ~CMyTabCtrl() override;

  // The skin, loaded by the main window (LoadImages) after creation. A
  // missing image is simply not drawn.
  CMyImage m_closeImage;    // 348: three 14 x 14 frames, normal and under the pointer
  CMyImage m_tabImage;      // 335: nine 6 x 27 slices, normal, hot and selected
  CMyImage m_backImage;     // 332: 1 x 32, stretched over the strip
  CMyImage m_loadingImage;  // 365: eight 16 x 16 animation frames

  // Loads the four images from the program's PNG resources; TRUE when all
  // four loaded.
  BOOL LoadImages();

  // Appends a tab for view titled text (its window made as a hidden child
  // of the strip when it has none yet), marks it loading and places it.
  // The new index; -1 for no view, a view whose window could not be made
  // or a window that is not the strip's child.
  int AddTab(CWnd* view, LPCWSTR text);
  // Closes tab index, unless it is the only tab and shows the start page.
  void RemoveTab(int index);
  // The first tab of view gets the icon in bytes (an icon file), or the
  // default icon when they are none; it is redrawn at once.
  void SetTabIcon(CWnd* view, const BYTE* bytes, DWORD size);
  // The first tab holding view, or -1.
  int FindTabByView(CWnd* view) const;
  // The tab's title (at most 255 characters); empty for no tab.
  CString GetTabText(int index) const;
  // Where the owner puts its home button, from the strip's left edge.
  int GetTabsWidth() const;
  // Records the selection as the last shown tab, then shows or hides tab
  // index's view (SW_SHOW, SW_HIDE); nothing for an index without a tab.
  void ShowTabView(int index, int command);
  // The selection when a view was last shown or hidden, or -1.
  int GetLastShownTab() const { return m_lastShownTab; }
  // The tab's record and view; null for an index without a tab.
  TabItem* GetTabItem(int index) const;
  CWnd* GetTabView(int index) const;
  // Moves every view (or tab index's) to the area below the tab row.
  void PlaceViews();
  void PlaceView(int index);

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT create);
  afx_msg void OnDestroy();
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnPaint();
  afx_msg void OnTimer(UINT_PTR id);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnMouseLeave();
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
  afx_msg void OnSelChange(NMHDR* header, LRESULT* result);
  afx_msg void OnFocusChange(NMHDR* header, LRESULT* result);
  DECLARE_MESSAGE_MAP()

 private:
  // Painting (my_tab_ctrl_paint.cpp).
  void DrawStrip(CDC& dc, const CRect& client);
  void DrawTab(CDC& dc, int index);
  void DrawLoadingFrame(CDC& dc, int x, int y);

  // The tab size from the client width and tab count; sent only when it
  // changed.
  void UpdateTabSize();
  // One tool per tab, its text asked of the owner by callback.
  void RebuildToolTips();
  void RemoveToolTips();
  // Whether the state bits under mask changed.
  bool ChangeState(int index, DWORD mask, DWORD state);
  int TabWidth() const;
  void FreeItems();

  ITabStripOwner& m_owner;
  int m_animationFrame = 0;  // the next loading frame to draw
  int m_lastShownTab = -1;
  CFont m_tabFont;
  int m_pointerTab = -1;  // the tab under the pointer
  CSize m_tabSize{0, 0};  // as last sent to the control
  int m_toolCount = 0;    // tools 1 .. m_toolCount are ours
};
