#include "main_frame.h"

#include "afx/win_app.h"
#include "kqie_view.h"
#include "browser_ids.h"
#include "favourites_hooks.h"
#include "get_bitmaps.h"
#include "price_watch_hooks.h"
#include "pricewatch/price_watch_engine.h"
#include "process_objects.h"
#include "search_address.h"
#include "start_argument.h"
#include "tray_start.h"
#include "ui_fonts.h"
#include "ui_messages.h"
#include "url_filter.h"
#include "win/shell_autocomplete.h"
#include "win/gdi_objects.h"
#include "win/icons.h"
#include "win/menus.h"
#include "win/process_exit.h"
#include "win/threads.h"

BEGIN_MESSAGE_MAP(CMainFrame, CWnd)
  ON_WM_CREATE()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
  ON_WM_GETMINMAXINFO()
  ON_WM_NCHITTEST()
  ON_WM_SETCURSOR()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_RBUTTONDOWN()
  ON_WM_CAPTURECHANGED()
  ON_WM_SYSCOMMAND()
  ON_WM_TIMER()
  ON_WM_CLOSE()
  ON_COMMAND_RANGE(ID_CAPTION_MINIMIZE, ID_CAPTION_CLOSE, OnCaptionButton)
  ON_COMMAND_RANGE(ID_NAVIGATE_FORWARD, ID_NAVIGATE_STOP, OnNavigationButton)
  ON_COMMAND(ID_HOME_PAGE, OnHomePage)
  ON_COMMAND(ID_SHOW_CUTPRICE_DLG, OnShowWatchList)
  ON_COMMAND(ID_SEARCH, OnSearch)
  ON_COMMAND(ID_SHOW_SITE_CHOOSER, OnShowChooser)
  ON_COMMAND(ID_GO, OnGo)
  ON_COMMAND(ID_START_PAGE, OnStartPage)
  ON_COMMAND_RANGE(ID_SITE_FIRST, ID_SITE_LAST, OnSelectSite)
  ON_COMMAND_RANGE(ID_HIDE_CHOOSER_FIRST, ID_HIDE_CHOOSER_LAST, OnHideChooser)
  ON_COMMAND_RANGE(ID_FAVOURITE_GROUP_FIRST, ID_FAVOURITE_GROUP_LAST, OnFavouriteGroup)
  ON_COMMAND_RANGE(ID_FAVOURITE_LINK_FIRST, ID_FAVOURITE_LINK_LAST, OnFavouriteLink)
  ON_EN_CHANGE(ID_ADDRESS_BOX, OnAddressChange)
  ON_WM_CTLCOLOR()
  ON_NOTIFY_EX_RANGE(TTN_GETDISPINFOW, 0, 0xFFFF, OnTabToolTipText)
  ON_MESSAGE(WM_RESTORE_MAIN_WINDOW, OnRestoreWindow)
  ON_MESSAGE(WM_TOOLBAR_OVERFLOW, OnToolbarOverflow)
  ON_MESSAGE(WM_LINK_CLICKED, OnLinkClicked)
  ON_MESSAGE(WM_PRICE_PARSED, OnPriceParsed)
  ON_MESSAGE(WM_PRICE_DROP, OnPriceDrop)
  ON_MESSAGE(WM_OPEN_ITEM_URL, OnOpenItemUrl)
  ON_MESSAGE(WM_FAVICON_LOADED, OnFaviconLoaded)
END_MESSAGE_MAP()

namespace {

constexpr UINT_PTR kStartTimer = 1;
constexpr UINT kStartDelay = 300;

// Resource ids of the icon and of the buttons' and toolbars' images.
constexpr UINT IDI_BROWSER = 323;
constexpr UINT IDP_CLOSE_BUTTON = 340;
constexpr UINT IDP_MAXIMISE_BUTTON = 341;
constexpr UINT IDP_MINIMISE_BUTTON = 342;
constexpr UINT IDP_CAPTION_BUTTON_BAR = 339;
constexpr UINT IDP_STOP_BUTTON = 344;
constexpr UINT IDP_BACK_BUTTON = 345;
constexpr UINT IDP_FORWARD_BUTTON = 346;
constexpr UINT IDP_REFRESH_BUTTON = 347;
constexpr UINT IDP_MAIN_TOOLBAR_ICONS = 354;
constexpr UINT IDP_MAIN_TOOLBAR_SKIN = 355;
constexpr UINT IDP_FAVOURITES_SKIN = 358;
constexpr UINT IDP_FAVOURITES_ICONS = 386;
constexpr UINT IDB_SEARCH_BUTTON = 352;
constexpr UINT IDB_CHOOSER_BUTTON = 366;
constexpr UINT IDB_GO_BUTTON = 370;
constexpr UINT IDB_HOME_BUTTON = 384;
constexpr UINT IDP_CHOOSER_SKIN = 371;
constexpr UINT IDP_TAOBAO_ICON = 359;
constexpr UINT IDP_JD_ICON = 367;
constexpr UINT IDP_DANGDANG_ICON = 368;

// The toolbars' icons are strips of equal squares.
constexpr int kMainToolbarIconWidth = 32;
constexpr int kFavouritesIconWidth = 20;

// The row buttons: owner-drawn, visible children with no text.
constexpr DWORD kRowButtonStyle = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
static_assert(kRowButtonStyle == 0x5000000B);
// The two boxes: visible children scrolling their text sideways.
constexpr DWORD kBoxStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | ES_AUTOHSCROLL;
static_assert(kBoxStyle == 0x52000080);

}  // namespace

CMainFrame::CMainFrame() {
  WNDCLASSW windowClass{};
  windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  // The framework routes the window's messages here; the class itself
  // needs no procedure of its own.
  windowClass.lpfnWndProc = ::DefWindowProcW;
  windowClass.hInstance = AfxGetInstanceHandle();
  windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kMainFrameClassName;
  // A second window in this process finds the class there already.
  ::RegisterClassW(&windowClass);

  if (!CreateEx(0, kMainFrameClassName, u"", kMainFrameStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                CW_USEDEFAULT, nullptr, nullptr)) {
    return;
  }
  PostMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
}

CMainFrame::~CMainFrame() {
  // The views are the window's own, not the strip's: they go with it.
  if (m_tabs.m_hWnd) {
    for (int i = m_tabs.GetItemCount() - 1; i >= 0; --i) delete m_tabs.GetTabView(i);
  }
  if (m_hWnd) DestroyWindow();
}

int CMainFrame::OnCreate(LPCREATESTRUCT create) {
  if (CWnd::OnCreate(create) == -1) return -1;
  m_icon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_BROWSER));
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
  // The platform gives an overlapped window a caption; this one draws its
  // own.
  ModifyStyle(WS_CAPTION, 0);
  ::SetMenu(m_hWnd, nullptr);
  SetWindowText(u"Quorla购物浏览器");

  LoadUrlFilter();
  m_images.Load();
  CreateToolTips();
  CreateCaptionButtons();
  CreateNavigationButtons();
  CreateToolbars();
  CreateRows();
  CreatePriceWatchWindows(this);
  CreateLinks();
  // Addresses loaded before are offered as the user types one.
  ::SHAutoComplete(m_addressBox.m_hWnd, SHACF_URLHISTORY | SHACF_URLMRU);
  StartFaviconWorker(this);
  GivePriceWatchWindows(this);
  SetTimer(kStartTimer, kStartDelay);
  return 0;
}

void CMainFrame::CreateToolTips() {
  if (m_toolTip.Create(this)) m_toolTip.Activate(TRUE);
}

void CMainFrame::CreateCaptionButtons() {
  m_captionButtons.Create(this);
  m_captionButtons.SetToolTips(&m_toolTip);
  LoadPngImage(IDP_CAPTION_BUTTON_BAR, &m_captionButtons.BackgroundImage(), 1, 1);
  m_captionButtons.AddButton(IDP_MINIMISE_BUTTON, ID_CAPTION_MINIMIZE);
  m_captionButtons.AddButton(IDP_MAXIMISE_BUTTON, ID_CAPTION_MAXIMIZE);
  m_captionButtons.AddButton(IDP_CLOSE_BUTTON, ID_CAPTION_CLOSE);
}

void CMainFrame::CreateNavigationButtons() {
  m_navigationButtons.Create(this);
  m_navigationButtons.SetToolTips(&m_toolTip);
  LoadPngImage(IDP_NAVIGATION_ROW, &m_navigationButtons.BackgroundImage(), 1, 1);
  m_navigationButtons.AddButton(IDP_BACK_BUTTON, ID_NAVIGATE_BACK);
  m_navigationButtons.AddButton(IDP_FORWARD_BUTTON, ID_NAVIGATE_FORWARD);
  m_navigationButtons.AddButton(IDP_STOP_BUTTON, ID_NAVIGATE_STOP);
  m_navigationButtons.AddButton(IDP_REFRESH_BUTTON, ID_NAVIGATE_REFRESH);
}

void CMainFrame::CreateToolbars() {
  m_mainToolbar.Create(this);
  LoadPngImage(IDP_NAVIGATION_ROW, &m_mainToolbar.BackgroundImage(), 1, 1);
  // The strip holds one 32-pixel icon per button, whatever its width.
  LoadPngImage(IDP_MAIN_TOOLBAR_ICONS, &m_mainToolbar.IconImage(), 1, 1);
  m_mainToolbar.IconImage().m_nFrameWidth = kMainToolbarIconWidth;
  LoadPngImage(IDP_MAIN_TOOLBAR_SKIN, &m_mainToolbar.SkinImage(), 1, 9);
  m_mainToolbar.AddButton(u"Quorla主页", 0, ID_HOME_PAGE, 0);
  m_mainToolbar.AddButton(u"降价通知", 1, ID_SHOW_CUTPRICE_DLG, 0);

  m_favouritesBar.Create(this);
  LoadPngImage(IDP_FAVOURITES_ROW, &m_favouritesBar.BackgroundImage(), 1, 1);
  LoadPngImage(IDP_FAVOURITES_ICONS, &m_favouritesBar.IconImage(), 1, 1);
  m_favouritesBar.IconImage().m_nFrameWidth = kFavouritesIconWidth;
  LoadPngImage(IDP_FAVOURITES_SKIN, &m_favouritesBar.SkinImage(), 1, 9);
  m_favouritesBar.SetOverflow(TRUE);
  LoadCollectList();
  AddFavouriteGroupButtons(m_favouritesBar);
}

void CMainFrame::CreateRowButton(CHoverButton& button, UINT id, UINT strip) {
  if (!button.Create(u"", kRowButtonStyle, CRect(0, 0, 0, 0), this, id)) return;
  CGetBitmaps::LoadStrip(&button, strip);
  button.SizeToContent();
}

void CMainFrame::CreateRows() {
  m_searchBox.Create(kBoxStyle, CRect(0, 0, 0, 0), this, ID_SEARCH_BOX);
  CreateRowButton(m_searchButton, ID_SEARCH, IDB_SEARCH_BUTTON);
  CreateRowButton(m_chooserButton, ID_SHOW_SITE_CHOOSER, IDB_CHOOSER_BUTTON);
  m_addressBox.Create(kBoxStyle, CRect(0, 0, 0, 0), this, ID_ADDRESS_BOX);
  CreateRowButton(m_goButton, ID_GO, IDB_GO_BUTTON);
  CreateChooser();
  CreateTabStrip();
  CreateRowButton(m_homeButton, ID_START_PAGE, IDB_HOME_BUTTON);
}

void CMainFrame::CreateChooser() {
  if (!m_chooser.CreateList(this)) return;
  LoadPngImage(IDP_CHOOSER_SKIN, &m_chooser.SkinImage(), 1, 9);
  m_chooser.AddEntry(IDP_TAOBAO_ICON, ID_SEARCH_TAOBAO, u"淘宝网");
  m_chooser.AddEntry(IDP_JD_ICON, ID_SEARCH_JD, u"京东商城");
  m_chooser.AddEntry(IDP_DANGDANG_ICON, ID_SEARCH_DANGDANG, u"当当网");
  m_chooser.SetSelection(ID_SEARCH_TAOBAO);
  // Its command sets the search box's hint and the site icon.
  PostMessage(WM_COMMAND, ID_SEARCH_TAOBAO, 0);
}

void CMainFrame::CreateTabStrip() {
  if (!m_tabs.Create(CMyTabCtrl::kStyle, CRect(0, 0, 0, 0), this, ID_TAB_STRIP)) return;
  m_tabs.SetToolTips(&m_toolTip);
  m_tabs.LoadImages();
}

void CMainFrame::CreateLinks() {
  struct Link {
    CTextLink* link;
    LPCWSTR text;
  };
  for (const Link& each : {Link{&m_settingsLink, u"设置"}, Link{&m_feedbackLink, u"反馈"}}) {
    each.link->Create(this);
    each.link->SetTextFont(GetUiFont(kUiFontRegular12));
    each.link->SetText(each.text);
  }
}

// Start and end.

void CMainFrame::OnTimer(UINT_PTR id) {
  if (id == kStartTimer) {
    OnStartTimer();
    return;
  }
  Default();
}

void CMainFrame::OnStartTimer() {
  CString& argument = StartArgument();
  if (IsPriceOption(argument)) {
    argument.Empty();
    PostMessage(WM_COMMAND, ID_SHOW_CUTPRICE_DLG, 0);
  }
  if (argument.IsEmpty()) argument = StartPageAddress();
  OpenUrlInNewTab(argument);
  StartTrayProgramUnlessRunning();
  KillTimer(kStartTimer);
}

void CMainFrame::OnClose() { ClosePath(); }

void CMainFrame::ClosePath() {
  ShowWindow(SW_HIDE);
  // Every change of the watch list was saved when it was made: stopping
  // the workers saves nothing, so a browser that read the list long ago
  // cannot write its old copy over what others saved since.
  StopPriceWatchWorkers();
  ::TerminateProcess(::GetCurrentProcess(), 1);
}
