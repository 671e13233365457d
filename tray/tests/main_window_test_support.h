#pragma once
// The tray program's main window under test: the program's window class and
// handlers over a private settings folder, the process's watch list and a
// worker on a scripted clock, with the pop-up recorded or real.
#include <memory>

#include "atl/message_loop.h"
#include "main_wnd.h"
#include "popup_test_support.h"
#include "tray_test_support.h"
#include "win/handles.h"

namespace tray_test {

constexpr LONGLONG kMainWindowStart = 1700000000;

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    manager = SharedManager();
    ASSERT_NE(manager, nullptr);
    manager->Load();  // this test's empty folder
    ASSERT_TRUE(LoadSkinBitmaps());
  }
  void TearDown() override {
    Close();
    StopWorker(clock, context);
  }

  // Makes the window with the given pop-up. Offscreen there is no
  // notification area, so adding the icon fails and the window posts itself
  // a close; that close is taken out of the queue here (and noted), so the
  // test decides when the window closes.
  HWND Open(INoticePopup& shown) {
    window = std::make_unique<CMainWnd>(context, shown);
    HWND hwnd = window->CreateHidden();
    MSG msg;
    closeAfterIconFailed = PeekMessageW(&msg, hwnd, WM_CLOSE, WM_CLOSE, PM_REMOVE) != FALSE;
    return hwnd;
  }
  HWND Open() { return Open(popup); }
  // Destroys the window if it is still there, then the object (which saves).
  void Close() {
    if (window && window->IsWindow()) window->DestroyWindow();
    window.reset();
    DrainMessages();
  }
  // Handles what is queued, without waiting for more (a WM_QUIT is left).
  static void DrainMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != WM_QUIT &&
           PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  // Watches an item and queues a drop notice for it, as the worker would.
  DWORD WatchAndQueue(const std::u16string& url, double previous, double current,
                      const std::u16string& title = u"商品") {
    ReducePriceItem item = MakeItem(url, current, current, previous, title);
    const DWORD id = manager->AddItem(&item);
    auto* copy = new ReducePriceItem(Listed(manager, id));
    copy->Id = id;
    EXPECT_TRUE(context.notices.Post(ENGINE_EVENT_PRICE_DROP, copy, 0, 0));
    return id;
  }

  TempConfigHome home;
  ScriptedClock clock{kMainWindowStart};
  PriceWatchContext context{clock};
  RecordingPopup popup;
  IReducePriceMgr* manager = nullptr;
  std::unique_ptr<CMainWnd> window;
  bool closeAfterIconFailed = false;
};

}  // namespace tray_test
