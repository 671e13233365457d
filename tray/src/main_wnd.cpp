#include "main_wnd.h"

#include "browser_launch.h"
#include "monitor_clamp.h"
#include "win/input.h"
#include "win/menus.h"
#include "win/modules.h"
#include "win/strings.h"
#include "win/system_metrics.h"

namespace {

constexpr char16_t kProductName[] = u"Quorla购物浏览器";

WORD LowWord(WPARAM value) { return static_cast<WORD>(value & 0xFFFF); }
WORD HighWord(WPARAM value) { return static_cast<WORD>((value >> 16) & 0xFFFF); }

}  // namespace

CMainWnd::CMainWnd(PriceWatchContext& context, INoticePopup& popup)
    : m_context(context), m_noticeTimer(context, popup) {
  // A failure leaves the reference null: every notice is then discarded.
  CreateWatchListManager(m_context, &m_manager);
}

CMainWnd::~CMainWnd() {
  ReleasePriceWatchContext(m_context);
  if (m_manager) m_manager->Release();
  m_manager = nullptr;
  if (m_icon) DestroyIcon(m_icon);
}

HWND CMainWnd::CreateHidden() {
  if (!Create(nullptr, ATL::CWindow::rcDefault, nullptr, MAIN_WINDOW_STYLE, MAIN_WINDOW_EX_STYLE)) return nullptr;
  ShowWindow(SW_HIDE);
  return m_hWnd;
}

void CMainWnd::OnEngineEvent(std::int32_t kind, void* item, std::int32_t a, std::int32_t b) {
  m_context.notices.Post(kind, item, a, b);
}

LRESULT CMainWnd::OnCreate(UINT, WPARAM, LPARAM, BOOL&) {
  m_icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TRAY), IMAGE_ICON,
                                         GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                         LR_DEFAULTCOLOR));
  // Without its icon the program has nothing to offer: it ends as soon as
  // the loop gets to this close.
  if (!AddTrayIcon()) PostMessage(WM_CLOSE);
  SetEngineCallBack(m_context, this);
  StartPriceWatch(m_context);
  SetTimer(NOTICE_TIMER_ID, NOTICE_TIMER_MILLISECONDS);
  return 0;
}

BOOL CMainWnd::AddTrayIcon() {
  if (IsWindow()) ShowWindow(SW_HIDE);
  m_notifyIcon = NOTIFYICONDATAW{};
  m_notifyIcon.cbSize = NOTIFY_ICON_RECORD_SIZE;
  m_notifyIcon.hWnd = m_hWnd;
  m_notifyIcon.uID = TRAY_ICON_UID;
  m_notifyIcon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  m_notifyIcon.uCallbackMessage = WM_NOTIFYICON_CALLBACK;
  m_notifyIcon.hIcon = m_icon;
  lstrcpynW(m_notifyIcon.szTip, kProductName, static_cast<int>(sizeof m_notifyIcon.szTip / sizeof(WCHAR)));
  m_iconAdded = Shell_NotifyIconW(NIM_ADD, &m_notifyIcon);
  return m_iconAdded;
}

LRESULT CMainWnd::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
  if (!m_iconAdded) {
    bHandled = FALSE;
    return 0;
  }
  Shell_NotifyIconW(NIM_DELETE, &m_notifyIcon);
  return 0;
}

LRESULT CMainWnd::OnClose(UINT, WPARAM, LPARAM, BOOL&) {
  ShowWindow(SW_HIDE);
  DestroyWindow();
  PostQuitMessage(0);
  return 0;
}

LRESULT CMainWnd::OnCommand(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
  if (LowWord(wParam) != LowWord(ID_TRAY_OPEN)) {
    bHandled = FALSE;
    return 0;
  }
  if (HighWord(wParam) == HighWord(ID_TRAY_OPEN)) {
    LaunchBrowser();
  } else if (HighWord(wParam) == HighWord(ID_TRAY_EXIT)) {
    PostMessage(WM_CLOSE, 0, 0);
  }
  return 0;
}

LRESULT CMainWnd::OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
  if (wParam != NOTICE_TIMER_ID) {
    bHandled = FALSE;
    return 0;
  }
  m_noticeTimer.OnTick(m_manager);
  return 0;
}

LRESULT CMainWnd::OnPriceSettingsChanged(UINT, WPARAM, LPARAM, BOOL&) {
  RequestIntervalReload(m_context);
  return 0;
}

LRESULT CMainWnd::OnWatchListChanged(UINT, WPARAM, LPARAM, BOOL&) {
  RequestListReload(m_context);
  return 0;
}

LRESULT CMainWnd::OnNotifyIcon(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
  if (wParam != TRAY_ICON_UID) {
    bHandled = FALSE;
    return 0;
  }
  OnTrayIconNotify(static_cast<UINT>(lParam));
  return 0;
}

void CMainWnd::OnTrayIconNotify(UINT mouseMessage) {
  if (mouseMessage == WM_LBUTTONDOWN) {
    LaunchBrowser();
  } else if (mouseMessage == WM_RBUTTONDOWN) {
    ShowTrayMenu();
  }
}

void CMainWnd::ShowTrayMenu() {
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  AppendMenuW(menu, MF_STRING, ID_TRAY_OPEN, kProductName);
  SetMenuDefaultItem(menu, ID_TRAY_OPEN, FALSE);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, ID_TRAY_EXIT, u"退出");
  POINT cursor{};
  GetCursorPos(&cursor);
  SetForegroundWindow(m_hWnd);
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, ClampToMonitorX(cursor.x, cursor.y), cursor.y, 0, m_hWnd, nullptr);
  DestroyMenu(menu);
}
