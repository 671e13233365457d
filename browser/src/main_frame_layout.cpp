#include "main_frame_layout.h"

#include "main_frame.h"
#include "price_watch_hooks.h"

namespace {

// The boxes' text heights: the search box's font is 16 pixels, the address
// box's 18.
constexpr int kSearchBoxTextHeight = 16;
constexpr int kAddressBoxTextHeight = 18;
constexpr int kSearchBoxWidth = 258;
constexpr int kAddressBoxLeft = 328;
constexpr int kChooserWidth = 82;
constexpr int kChooserEntryHeight = 25;
// The offer bar lies over the bottom of the page, above the status bar.
constexpr int kOfferBarHeight = 40;
constexpr int kOfferBarFromBottom = 67;
// The home button sits a little below the top of the tab row.
constexpr int kHomeButtonTop = 7;

CRect Box(int x, int y, int width, int height) { return CRect(x, y, x + width, y + height); }

// A box vertically centred in the navigation row for a text of the height.
CRect CentredBox(const RowMetrics& m, int x, int width, int textHeight) {
  const int top = m.captionHeight + (m.navigationHeight - textHeight) / 2;
  const int bottom = m.captionHeight + (m.navigationHeight + textHeight) / 2;
  return CRect(x, top, x + width, bottom);
}

}  // namespace

RowLayout LayOutRows(const RowMetrics& m, const RowChildSizes& sizes) {
  const int cH = m.captionHeight;
  const int nH = m.navigationHeight;
  const int fH = m.favouritesHeight;
  const int W = m.width;
  const int H = m.height;
  const int gW = m.goButton.cx;
  const int gH = m.goButton.cy;
  const int sbW = m.searchButton.cx;
  const int sbH = m.searchButton.cy;

  RowLayout layout;
  layout.navigationButtons = Box(4, cH, sizes.navigationBar.cx, sizes.navigationBar.cy);
  layout.mainToolbar = Box(sizes.navigationBar.cx + 8, cH, sizes.mainToolbar.cx, sizes.mainToolbar.cy);
  layout.favouritesBar = Box(4, cH + nH, W - 8, sizes.favouritesBarHeight);
  layout.searchBox = CentredBox(m, W - sbW - 268, kSearchBoxWidth, kSearchBoxTextHeight);
  layout.addressBox = CentredBox(m, kAddressBoxLeft, W - 2 * gW - 310 - kAddressBoxLeft, kAddressBoxTextHeight);
  layout.goButton = Box(W - 2 * gW - 310, cH + (nH - gH) / 2, gW, gH);
  layout.chooserList = Box(W - sbW - 300, m.searchFrameHeight + cH + 4, kChooserWidth,
                           kChooserEntryHeight * sizes.chooserEntries + 2);
  layout.chooserButton = Box(W - gW - 278, cH + 24, sizes.chooserButton.cx, sizes.chooserButton.cy);
  layout.searchButton = Box(W - sbW - 10, cH + (nH - sbH) / 2, sbW, sbH);
  layout.tabStrip = Box(m.leftWidth, cH + nH + fH, W - m.rightWidth - m.leftWidth,
                        H - m.statusHeight - m.bottomHeight - cH - nH - fH);
  layout.offerBar = Box(2, H - kOfferBarFromBottom, W - 4, kOfferBarHeight);
  return layout;
}

CPoint HomeButtonPlace(const RowMetrics& m, int tabsWidth) {
  return CPoint(tabsWidth + m.leftWidth, m.captionHeight + m.navigationHeight + m.favouritesHeight + kHomeButtonTop);
}

// The main window's side.

namespace {

// The links' left edges, measured from the right edge of the window.
constexpr int kSettingsLinkFromRight = 130;
constexpr int kFeedbackLinkFromRight = 160;
constexpr int kLinkTop = 10;

CSize ClientSize(const CWnd& window) {
  if (!window.m_hWnd) return CSize(0, 0);
  CRect client;
  window.GetClientRect(&client);
  return client.Size();
}

void Place(CWnd& window, const CRect& place) {
  if (window.m_hWnd) window.MoveWindow(place.left, place.top, place.Width(), place.Height(), TRUE);
}

}  // namespace

RowMetrics CMainFrame::Metrics() const {
  RowMetrics m;
  const CSize client = ClientSize(*this);
  m.width = client.cx;
  m.height = client.cy;
  m.captionHeight = m_images.CaptionHeight();
  m.navigationHeight = m_images.NavigationHeight();
  m.favouritesHeight = m_images.FavouritesHeight();
  m.statusHeight = m_images.StatusHeight();
  m.bottomHeight = m_images.BottomHeight();
  m.leftWidth = m_images.LeftWidth();
  m.rightWidth = m_images.RightWidth();
  m.goButton = ClientSize(m_goButton);
  m.searchButton = ClientSize(m_searchButton);
  m.searchFrameHeight = m_images.searchFrame.m_nFrameHeight;
  return m;
}

void CMainFrame::LayoutChildren() {
  const RowMetrics m = Metrics();
  if (m_captionButtons.m_hWnd) {
    const CRect bar = m_captionButtons.GetBarRect();
    m_captionButtons.MoveWindow(m.width - bar.Width() - 4, 3, bar.Width(), bar.Height());
  }
  RowChildSizes sizes;
  if (m_navigationButtons.m_hWnd) sizes.navigationBar = m_navigationButtons.GetBarRect().Size();
  if (m_mainToolbar.m_hWnd) sizes.mainToolbar = m_mainToolbar.GetBarRect().Size();
  if (m_favouritesBar.m_hWnd) sizes.favouritesBarHeight = m_favouritesBar.GetBarRect().Height();
  sizes.chooserButton = ClientSize(m_chooserButton);
  if (m_chooser.m_hWnd) sizes.chooserEntries = m_chooser.GetEntryCount();
  const RowLayout layout = LayOutRows(m, sizes);

  Place(m_navigationButtons, layout.navigationButtons);
  Place(m_mainToolbar, layout.mainToolbar);
  Place(m_favouritesBar, layout.favouritesBar);
  Place(m_searchBox, layout.searchBox);
  Place(m_addressBox, layout.addressBox);
  Place(m_goButton, layout.goButton);
  Place(m_chooser, layout.chooserList);
  // Open, it lies over the page below the rows.
  if (m_chooser.m_hWnd) m_chooser.BringWindowToTop();
  Place(m_chooserButton, layout.chooserButton);
  Place(m_searchButton, layout.searchButton);
  Place(m_tabs, layout.tabStrip);
  if (CWnd* offerBar = PriceNotifyWindow()) Place(*offerBar, layout.offerBar);

  struct Link {
    CTextLink* link;
    int fromRight;
  };
  for (const Link& each : {Link{&m_settingsLink, kSettingsLinkFromRight}, Link{&m_feedbackLink, kFeedbackLinkFromRight}}) {
    if (!each.link->m_hWnd) continue;
    const CRect text = each.link->GetTextRect();
    each.link->MoveWindow(m.width - each.fromRight, kLinkTop, text.Width(), text.Height());
  }
  PlaceHomeButton();
}

void CMainFrame::PlaceHomeButton() {
  if (!m_homeButton.m_hWnd) return;
  const int tabsWidth = m_tabs.m_hWnd ? m_tabs.GetTabsWidth() : 2;
  const CPoint place = HomeButtonPlace(Metrics(), tabsWidth);
  m_homeButton.SetWindowPos(&CWnd::wndTop, place.x, place.y, 0, 0, SWP_NOSIZE);
}
