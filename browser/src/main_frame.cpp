#include "main_frame.h"

#include "afx/win_app.h"
#include "browser_ids.h"
#include "favourites_hooks.h"
#include "get_bitmaps.h"
#include "price_watch_hooks.h"
#include "process_objects.h"
#include "start_argument.h"
#include "tray_start.h"
#include "ui_fonts.h"
#include "ui_messages.h"
#include "win/gdi_objects.h"
#include "win/icons.h"
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
  ON_COMMAND(ID_SHOW_CUTPRICE_DLG, OnShowWatchList)
  ON_COMMAND_RANGE(ID_FAVOURITE_GROUP_FIRST, ID_FAVOURITE_GROUP_LAST, OnFavouriteGroup)
  ON_MESSAGE(WM_RESTORE_MAIN_WINDOW, OnRestoreWindow)
  ON_MESSAGE(WM_TOOLBAR_OVERFLOW, OnToolbarOverflow)
  ON_MESSAGE(WM_LINK_CLICKED, OnLinkClicked)
  ON_MESSAGE(WM_PRICE_DROP, OnPriceDrop)
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

// The toolbars' icons are strips of equal squares.
constexpr int kMainToolbarIconWidth = 32;
constexpr int kFavouritesIconWidth = 20;

// The row buttons: owner-drawn, visible children with no text.
constexpr DWORD kRowButtonStyle = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
static_assert(kRowButtonStyle == 0x5000000B);

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
  SetWindowText(u"Quorla购物浏览器");

  // The URL filter is loaded here once the browser hosts web pages.
  m_images.Load();
  CreateToolTips();
  CreateCaptionButtons();
  CreateNavigationButtons();
  CreateToolbars();
  CreateRowButtons();
  CreatePriceWatchWindows(this);
  CreateLinks();
  StartFaviconWorker(this);
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

void CMainFrame::CreateRowButtons() {
  struct Row {
    CHoverButton* button;
    UINT id;
    UINT strip;
  };
  // In the order the window is made of them: the search box's button and
  // site chooser's button, the go button beside the address box, the home
  // button after the tabs.
  for (const Row& row : {Row{&m_searchButton, ID_SEARCH, IDB_SEARCH_BUTTON},
                         Row{&m_chooserButton, ID_SHOW_SITE_CHOOSER, IDB_CHOOSER_BUTTON},
                         Row{&m_goButton, ID_GO, IDB_GO_BUTTON},
                         Row{&m_homeButton, ID_START_PAGE, IDB_HOME_BUTTON}}) {
    if (!row.button->Create(u"", kRowButtonStyle, CRect(0, 0, 0, 0), this, row.id)) continue;
    CGetBitmaps::LoadStrip(row.button, row.strip);
    row.button->SizeToContent();
  }
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
  // The argument opens in the first tab here once the browser has tabs.
  StartTrayProgramUnlessRunning();
  KillTimer(kStartTimer);
}

void CMainFrame::OnClose() { ClosePath(); }

void CMainFrame::ClosePath() {
  ShowWindow(SW_HIDE);
  // The price engine's workers are stopped here, saving the watch list,
  // once the browser has them.
  ::TerminateProcess(::GetCurrentProcess(), 1);
}
