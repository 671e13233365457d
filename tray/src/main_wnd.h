#pragma once
// The tray program's hidden main window: it holds the notification-area
// icon and its menu, receives the browser's two messages, hosts the notice
// timer and receives the check worker's price drops. It is never shown; the
// browser finds it by its class.
#include "atl/window_impl.h"
#include "engine_callback.h"
#include "notice_timer.h"
#include "price_watch_context.h"
#include "vxshared/tray_program.h"
#include "win/gdi_objects.h"
#include "win/icons.h"
#include "win/notify_icon.h"

// The icon and its callback message.
constexpr UINT IDI_TRAY = 101;
constexpr UINT TRAY_ICON_UID = 100;
constexpr UINT WM_NOTIFYICON_CALLBACK = WM_USER + 10000;
// The icon menu's items: low word 100, high word the command.
constexpr UINT ID_TRAY_OPEN = 0x00650064;
constexpr UINT ID_TRAY_EXIT = 0x00660064;
// The notice timer.
constexpr UINT_PTR NOTICE_TIMER_ID = 10001;
constexpr UINT NOTICE_TIMER_MILLISECONDS = 20000;
// WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX |
// WS_MAXIMIZEBOX, and WS_EX_APPWINDOW | WS_EX_WINDOWEDGE.
constexpr DWORD MAIN_WINDOW_STYLE = 0x860B0000;
constexpr DWORD MAIN_WINDOW_EX_STYLE = 0x40100;
// The size given to the icon record, as the program has always given it.
constexpr DWORD NOTIFY_ICON_RECORD_SIZE = 956;

class CMainWnd : public ATL::CWindowImpl<CMainWnd>, public IEngineCallBack {
 public:
  DECLARE_WND_CLASS_EX(kTrayWindowClass, CS_DBLCLKS, COLOR_WINDOW)

  // Creates the main thread's watch-list manager (which reads the file the
  // first time in a process); the window comes with CreateHidden.
  CMainWnd(PriceWatchContext& context, INoticePopup& popup);
  // No drop reaches this object any more, then the list is saved (unless
  // someone else saved the file meanwhile), then the main thread's manager
  // reference goes. The worker and the context stay as they are.
  ~CMainWnd() override;

  // Creates the window (icon, worker, timer come with it) and hides it;
  // null on failure.
  HWND CreateHidden();

  // From the check worker, under the notice queue's lock: queues the drop.
  void OnEngineEvent(std::int32_t kind, void* item, std::int32_t a, std::int32_t b) override;

  BEGIN_MSG_MAP(CMainWnd)
    MESSAGE_HANDLER(WM_CREATE, OnCreate)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    MESSAGE_HANDLER(WM_CLOSE, OnClose)
    MESSAGE_HANDLER(WM_COMMAND, OnCommand)
    MESSAGE_HANDLER(WM_TIMER, OnTimer)
    MESSAGE_HANDLER(WM_PRICE_SETTINGS_CHANGED, OnPriceSettingsChanged)
    MESSAGE_HANDLER(WM_WATCHLIST_CHANGED, OnWatchListChanged)
    MESSAGE_HANDLER(WM_NOTIFYICON_CALLBACK, OnNotifyIcon)
  END_MSG_MAP()

  bool IconAdded() const { return m_iconAdded != FALSE; }
  const NOTIFYICONDATAW& IconRecord() const { return m_notifyIcon; }
  IReducePriceMgr* Manager() const { return m_manager; }
  bool ShowingNotice() const { return m_noticeTimer.Showing(); }

 private:
  LRESULT OnCreate(UINT message, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnClose(UINT message, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnCommand(UINT message, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnTimer(UINT message, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnPriceSettingsChanged(UINT message, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnWatchListChanged(UINT message, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnNotifyIcon(UINT message, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

  BOOL AddTrayIcon();
  void OnTrayIconNotify(UINT mouseMessage);
  void ShowTrayMenu();

  HICON m_icon = nullptr;
  BOOL m_iconAdded = FALSE;
  NOTIFYICONDATAW m_notifyIcon{};
  PriceWatchContext& m_context;
  NoticeTimer m_noticeTimer;
  IReducePriceMgr* m_manager = nullptr;  // the main thread's reference
};
