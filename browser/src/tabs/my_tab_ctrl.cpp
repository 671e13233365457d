#include "my_tab_ctrl.h"

#include "tab_geometry.h"
#include "win/window_state.h"

namespace {

// Advances the loading animation while a tab loads.
constexpr UINT_PTR kAnimationTimer = 1;
constexpr UINT kAnimationPeriod = 300;

// The skin's resources.
constexpr UINT kCloseImageId = 348;
constexpr UINT kTabImageId = 335;
constexpr UINT kBackImageId = 332;
constexpr UINT kLoadingImageId = 365;
constexpr int kLoadingFrameWidth = 16;

// A view's window as the strip makes it: a hidden child, placed later.
constexpr DWORD kViewStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

// The tab titles' font: 宋体, 12 high, of the Swiss family.
constexpr int kTabFontHeight = 12;
constexpr BYTE kSwissFamily = 0x20;

}  // namespace

BEGIN_MESSAGE_MAP(CMyTabCtrl, CTabCtrl)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_TIMER()
  ON_WM_MOUSEMOVE()
  ON_WM_MOUSELEAVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_NOTIFY_REFLECT(TCN_SELCHANGE, OnSelChange)
  ON_NOTIFY_REFLECT(TCN_FOCUSCHANGE, OnFocusChange)
END_MESSAGE_MAP()

CMyTabCtrl::CMyTabCtrl(ITabStripOwner& owner) : m_owner(owner) {}

CMyTabCtrl::~CMyTabCtrl() {
  if (m_hWnd) DestroyWindow();
  FreeItems();
}

BOOL CMyTabCtrl::LoadImages() {
  const BOOL close = LoadPngImage(kCloseImageId, &m_closeImage, 1, 3);
  const BOOL tab = LoadPngImage(kTabImageId, &m_tabImage, 1, 9);
  const BOOL back = LoadPngImage(kBackImageId, &m_backImage, 1, 1);
  const BOOL loading = LoadPngImage(kLoadingImageId, &m_loadingImage, 1, 1);
  if (loading) m_loadingImage.m_nFrameWidth = kLoadingFrameWidth;
  UpdateTabSize();
  return close && tab && back && loading;
}

int CMyTabCtrl::OnCreate(LPCREATESTRUCT create) {
  if (CTabCtrl::OnCreate(create) == -1) return -1;
  m_tabFont.CreateFont(kTabFontHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, kSwissFamily, u"宋体");
  SetTimer(kAnimationTimer, kAnimationPeriod);
  return 0;
}

void CMyTabCtrl::OnDestroy() {
  KillTimer(kAnimationTimer);
  RemoveToolTips();
  FreeItems();
  CTabCtrl::OnDestroy();
}

void CMyTabCtrl::OnSize(UINT type, int cx, int cy) {
  CTabCtrl::OnSize(type, cx, cy);
  PlaceViews();
  UpdateTabSize();
}

void CMyTabCtrl::OnTimer(UINT_PTR id) {
  if (id != kAnimationTimer) {
    CTabCtrl::OnTimer(id);
    return;
  }
  for (int i = 0, count = GetItemCount(); i < count; ++i) {
    if (GetItemState(i, TABSTATE_LOADING) & TABSTATE_LOADING) {
      Invalidate(FALSE);
      return;
    }
  }
}

void CMyTabCtrl::OnSelChange(NMHDR*, LRESULT* result) {
  const int selected = GetCurSel();
  SetCurSel(selected);
  if (selected != m_lastShownTab) ShowTabView(m_lastShownTab, SW_HIDE);
  ShowTabView(selected, SW_SHOW);
  m_owner.ShowCurrentView();
  *result = 0;
}

void CMyTabCtrl::OnFocusChange(NMHDR*, LRESULT* result) { *result = 0; }

int CMyTabCtrl::AddTab(CWnd* view, LPCWSTR text) {
  if (!view || !m_hWnd) return -1;
  if (view->m_hWnd) {
    // Views made before their tab (a page's new window) are born the
    // strip's children; there is no moving another window here.
    if (::GetParent(view->m_hWnd) != m_hWnd) return -1;
  } else if (!view->Create(nullptr, nullptr, kViewStyle, CRect(), this, static_cast<UINT>(-1))) {
    return -1;
  }
  auto* item = new TabItem(view);
  const int index = InsertItem(TCIF_TEXT | TCIF_PARAM, GetItemCount(), text ? text : u"", 0,
                               reinterpret_cast<LPARAM>(item));
  if (index < 0) {
    delete item;
    return -1;
  }
  SetItemState(index, TABSTATE_LOADING | TABSTATE_ICON, TABSTATE_LOADING);
  // The size first: the home button goes after the tabs as they now are.
  UpdateTabSize();
  m_owner.PlaceHomeButton();
  if (index == GetCurSel()) ShowTabView(index, SW_SHOW);
  PlaceView(index);
  RebuildToolTips();
  Invalidate(FALSE);
  return index;
}

void CMyTabCtrl::RemoveTab(int index) {
  TabItem* item = GetTabItem(index);
  if (!item) return;
  if (GetItemCount() == 1 && m_owner.EnsureStartPage()) return;  // the last start page stays
  // The pointer's tab is forgotten: indexes move.
  if (m_pointerTab != index) ChangeState(m_pointerTab, TABSTATE_HOT | TABSTATE_CLOSEHOT, 0);
  m_pointerTab = -1;
  DeleteItem(index);
  // The last shown tab is remembered by index: it moves with its tab, so
  // that the owner hides the right view when it selects another.
  if (m_lastShownTab == index) m_lastShownTab = -1;
  else if (m_lastShownTab > index) --m_lastShownTab;
  m_owner.CloseTab(index, item->view);
  delete item;
  RebuildToolTips();
  UpdateTabSize();
  if (GetItemCount() == 0) m_owner.EnsureStartPage();
  m_owner.PlaceHomeButton();
  Invalidate(FALSE);
}

void CMyTabCtrl::SetTabIcon(CWnd* view, const BYTE* bytes, DWORD size) {
  const int index = FindTabByView(view);
  TabItem* item = GetTabItem(index);
  if (!item) return;
  item->icon.Destroy();
  if (!bytes || size == 0 || !item->icon.DecodeMemory(bytes, size, DIBIMAGE_FORMAT_ICO)) LoadDefaultTabIcon(item->icon);
  CRect rect;
  GetItemRect(index, &rect);
  RedrawWindow(&rect, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

CString CMyTabCtrl::GetTabText(int index) const {
  WCHAR text[256] = {};
  TCITEMW record{};
  record.mask = TCIF_TEXT;
  record.pszText = text;
  record.cchTextMax = 256;
  return GetItem(index, &record) ? CString(text) : CString();
}

int CMyTabCtrl::GetTabsWidth() const {
  CRect client;
  GetClientRect(&client);
  return tab_geometry::TabsWidth(GetItemCount(), TabWidth(), client.Width());
}

void CMyTabCtrl::UpdateTabSize() {
  if (!m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  const int height = m_tabImage.m_nFrameHeight > 0 ? m_tabImage.m_nFrameHeight : tab_geometry::kTabHeight;
  const CSize size(tab_geometry::TabWidth(client.Width(), GetItemCount()), height);
  if (size.cx == m_tabSize.cx && size.cy == m_tabSize.cy) return;
  m_tabSize = size;
  SetItemSize(size);
  // The tools cover the tabs as they now are.
  RebuildToolTips();
}

int CMyTabCtrl::TabWidth() const {
  CRect first;
  return GetItemRect(0, &first) ? first.Width() : 0;
}

bool CMyTabCtrl::ChangeState(int index, DWORD mask, DWORD state) {
  if (index < 0 || index >= GetItemCount()) return false;
  const DWORD before = GetItemState(index, mask);
  if ((before & mask) == (state & mask)) return false;
  return SetItemState(index, mask, state) != FALSE;
}

void CMyTabCtrl::FreeItems() {
  if (!m_hWnd) return;
  for (int i = 0, count = GetItemCount(); i < count; ++i) delete GetTabItem(i);
  DeleteAllItems();
}
