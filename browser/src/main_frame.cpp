#include "main_frame.h"

#include "afx/win_app.h"
#include "afx/window_dcs.h"
#include "browser_ids.h"
#include "frame_painter.h"
#include "process_objects.h"
#include "start_argument.h"
#include "tray_start.h"
#include "ui_fonts.h"
#include "win/gdi_objects.h"
#include "win/icons.h"
#include "win/menus.h"
#include "win/process_exit.h"
#include "win/regions.h"
#include "win/system_metrics.h"
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
  ON_MESSAGE(WM_RESTORE_MAIN_WINDOW, OnRestoreWindow)
END_MESSAGE_MAP()

namespace {

constexpr UINT_PTR kStartTimer = 1;
constexpr UINT kStartDelay = 300;

// Resource ids of the icon and of the button images.
constexpr UINT IDI_BROWSER = 323;
constexpr UINT IDP_CLOSE_BUTTON = 340;
constexpr UINT IDP_MAXIMISE_BUTTON = 341;
constexpr UINT IDP_MINIMISE_BUTTON = 342;
constexpr UINT IDP_RESTORE_BUTTON = 343;
constexpr UINT IDP_CAPTION_BUTTON_BAR = 339;
constexpr UINT IDP_STOP_BUTTON = 344;
constexpr UINT IDP_BACK_BUTTON = 345;
constexpr UINT IDP_FORWARD_BUTTON = 346;
constexpr UINT IDP_REFRESH_BUTTON = 347;

// The links' left edges, measured from the right edge of the window.
constexpr int kSettingsLinkFromRight = 130;
constexpr int kFeedbackLinkFromRight = 160;
constexpr int kLinkTop = 10;

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
  // Here the main toolbar, the favourites bar, the search and address boxes
  // with their buttons, the site chooser, the tab strip and the home button
  // are made; then the price offer bar and the price-drop pop-up.
  CreateLinks();
  // Here the address box gets its auto-completion, the page-icon worker
  // starts and the price engine learns this window.
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

void CMainFrame::LayoutChildren() {
  CRect client;
  GetClientRect(&client);
  const int width = client.Width();
  if (m_captionButtons.m_hWnd) {
    const CRect bar = m_captionButtons.GetBarRect();
    m_captionButtons.MoveWindow(width - bar.Width() - 4, 3, bar.Width(), bar.Height());
  }
  if (m_navigationButtons.m_hWnd) {
    const CRect bar = m_navigationButtons.GetBarRect();
    m_navigationButtons.MoveWindow(4, m_images.CaptionHeight(), bar.Width(), bar.Height());
  }
  // The boxes, bars and tabs of the rows below the caption are placed here
  // with their parts of the program.
  struct Link {
    CTextLink* link;
    int fromRight;
  };
  for (const Link& each : {Link{&m_settingsLink, kSettingsLinkFromRight}, Link{&m_feedbackLink, kFeedbackLinkFromRight}}) {
    if (!each.link->m_hWnd) continue;
    const CRect text = each.link->GetTextRect();
    each.link->MoveWindow(width - each.fromRight, kLinkTop, text.Width(), text.Height());
  }
}

BOOL CMainFrame::PreTranslateMessage(MSG* msg) {
  if (m_toolTip.m_hWnd) m_toolTip.RelayEvent(msg);
  // The wheel, the site chooser, the tab headers and the Enter key of the
  // two boxes are routed here with their parts of the program.
  return CWnd::PreTranslateMessage(msg);
}

// Painting.

BOOL CMainFrame::OnEraseBkgnd(CDC*) { return TRUE; }

void CMainFrame::OnPaint() {
  CPaintDC dc(this);
  // The tab strip is kept out of the update here once it exists.
  for (CTextLink* link : {&m_settingsLink, &m_feedbackLink})
    if (link->m_hWnd) link->Invalidate();
  CRect client;
  GetClientRect(&client);
  CString title;
  GetWindowText(title);
  FramePainter painter(m_images, client.Width(), client.Height());
  painter.Paint(dc, title, [this](CDC& canvas) {
    for (CTextLink* link : {&m_settingsLink, &m_feedbackLink}) {
      if (!link->m_hWnd) continue;
      CRect place;
      link->GetWindowRect(&place);
      ScreenToClient(&place);
      link->DrawLink(&canvas, place);
    }
  });
}

// The frame.

int CMainFrame::FrameHitTest(CPoint client) const {
  if (CWnd::GetCapture() == this) return m_drag.active() ? m_drag.code() : m_hitCode;
  CRect box;
  GetClientRect(&box);
  return FrameZoneAt(client, box.Width(), box.Height(), IsZoomed() != FALSE);
}

void CMainFrame::SetSizingCursor(int code) {
  if (LPCWSTR cursor = FrameZoneCursor(code)) ::SetCursor(::LoadCursorW(nullptr, cursor));
}

LRESULT CMainFrame::OnNcHitTest(CPoint screen) {
  CPoint client = screen;
  ScreenToClient(&client);
  return FrameHitTest(client) == kHitCaption ? HTCAPTION : HTCLIENT;
}

BOOL CMainFrame::OnSetCursor(CWnd* window, UINT hitTest, UINT message) {
  if (window != this) return CWnd::OnSetCursor(window, hitTest, message);
  // The zone under the cursor now, not the one of the latest press: the
  // sizing cursor must not stay once the pointer has left an edge.
  CPoint point;
  ::GetCursorPos(&point);
  ScreenToClient(&point);
  const int code = FrameHitTest(point);
  if (code < 1 || code > kHitBottomRight) return CWnd::OnSetCursor(window, hitTest, message);
  SetSizingCursor(code);
  return TRUE;
}

void CMainFrame::OnLButtonDown(UINT, CPoint point) {
  Default();
  m_hitCode = FrameHitTest(point);
  SetSizingCursor(m_hitCode);
  if (IsSizingZone(m_hitCode)) m_drag.Begin(m_hWnd, m_hitCode);
  if (m_hitCode == kHitMenuSpot) ShowWindowMenu();
}

void CMainFrame::OnMouseMove(UINT, CPoint point) {
  Default();
  m_hitCode = FrameHitTest(point);
  SetSizingCursor(m_hitCode);
  CPoint screen = point;
  ClientToScreen(&screen);
  m_drag.Track(screen);
}

void CMainFrame::OnLButtonUp(UINT, CPoint point) {
  Default();
  m_hitCode = FrameHitTest(point);
  SetSizingCursor(m_hitCode);
  if (CWnd::GetCapture() == this) m_drag.Finish();
  // A click on the search site's icon opens the site chooser here once the
  // search box exists.
}

void CMainFrame::OnRButtonDown(UINT, CPoint point) {
  Default();
  m_hitCode = FrameHitTest(point);
  if (m_hitCode == kHitMenuSpot) ShowWindowMenu();
}

void CMainFrame::OnCaptureChanged(CWnd*) {
  Default();
  // A drag ends its own capture only after it has stopped, so a change
  // while it runs means a menu or a pop-up took the mouse away.
  m_drag.Abandon();
}

void CMainFrame::ShowWindowMenu() { SendMessage(WM_SYSCOMMAND, SC_KEYMENU, u' '); }

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* info) {
  RECT workArea{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
  info->ptMaxSize.x = workArea.right - workArea.left;
  info->ptMaxSize.y = workArea.bottom - workArea.top;
  info->ptMinTrackSize.x = kMinFrameWidth;
  info->ptMinTrackSize.y = kMinFrameHeight;
  Default();
}

void CMainFrame::OnSize(UINT, int cx, int cy) {
  HRGN region = MakeFrameRegion(cx, cy, IsZoomed() != FALSE);
  // The window owns the region from here on.
  if (!SetWindowRgn(region, TRUE)) ::DeleteObject(region);
  Default();
  LayoutChildren();
}

void CMainFrame::OnSysCommand(UINT id, LPARAM) {
  Default();
  const UINT command = id & 0xFFF0;
  const bool zoomed = IsZoomed() != FALSE;
  if (command == SC_RESTORE && !zoomed) {
    m_captionButtons.SetButtonImage(ID_CAPTION_RESTORE, IDP_MAXIMISE_BUTTON, ID_CAPTION_MAXIMIZE);
  } else if (command == SC_MAXIMIZE || (command == SC_RESTORE && zoomed)) {
    m_captionButtons.SetButtonImage(ID_CAPTION_MAXIMIZE, IDP_RESTORE_BUTTON, ID_CAPTION_RESTORE);
  }
}

void CMainFrame::OnCaptionButton(UINT id) {
  switch (id) {
    case ID_CAPTION_MINIMIZE:
      PostMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
      break;
    case ID_CAPTION_RESTORE:
      PostMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
      break;
    case ID_CAPTION_MAXIMIZE:
      PostMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
      break;
    case ID_CAPTION_CLOSE:
      ClosePath();
      break;
    default:
      break;
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

LRESULT CMainFrame::OnRestoreWindow(WPARAM, LPARAM) {
  if (IsIconic()) PostMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
  BringWindowToTop();
  return 1;
}
