// The hidden main window: its class and styles as the browser finds it, its
// icon record, the messages it answers and how (the browser's two only set
// flags), and the end of the program, also while a notice is open.
#include "main_window_test_support.h"
#include "notice_popup.h"
#include "win/icons.h"
#include "win/input.h"
#include "win/window_classes.h"

namespace {

using namespace tray_test;
using popup_test::BrowserStarts;

// Runs an action once the price-drop notice is on screen, from a timer of
// this thread, so it runs inside the notice's modal loop.
class WhenNoticeShown {
 public:
  explicit WhenNoticeShown(std::function<void(HWND)> action) {
    Action() = std::move(action);
    m_timer = SetTimer(nullptr, 0, 30, &Tick);
  }
  ~WhenNoticeShown() { KillTimer(nullptr, m_timer); }

 private:
  static std::function<void(HWND)>& Action() {
    static std::function<void(HWND)> action;
    return action;
  }
  static void Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND notice = FindWindowW(u"#32770", nullptr);
    if (!notice || !IsWindowVisible(notice) || !Action()) return;
    std::function<void(HWND)> action = std::move(Action());
    Action() = nullptr;
    action(notice);
  }
  UINT_PTR m_timer = 0;
};

// The program's pop-up, counting what it showed.
class CountingNoticePopup final : public INoticePopup {
 public:
  void Show(const ReducePriceItem& item) override {
    shown.push_back(item.Id);
    real.Show(item);
  }
  std::vector<DWORD> shown;
  CutPriceNoticePopup real;
};

TEST_F(MainWindowTest, TheHiddenWindowIsWhereTheBrowserLooksForIt) {
  HWND hwnd = Open();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(FindWindowW(u"VXTrayClassName", nullptr), hwnd);
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)), 0x860B0000u);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)), 0x40100u);
  WNDCLASSEXW windowClass{};
  ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), u"VXTrayClassName", &windowClass));
  EXPECT_EQ(windowClass.style, CS_DBLCLKS);
  EXPECT_EQ(windowClass.hbrBackground, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
  EXPECT_NE(windowClass.hCursor, nullptr);

  // No notification area offscreen: the icon is not added, and the window
  // asked to be closed.
  EXPECT_TRUE(closeAfterIconFailed);
  EXPECT_FALSE(window->IconAdded());
  const NOTIFYICONDATAW& icon = window->IconRecord();
  EXPECT_EQ(icon.hWnd, hwnd);
  // Size, identifier, flags (message, icon, tip) and callback message.
  EXPECT_EQ((std::vector<UINT>{icon.cbSize, icon.uID, icon.uFlags, icon.uCallbackMessage}),
            (std::vector<UINT>{956, 100, 7, 11024}));
  EXPECT_NE(icon.hIcon, nullptr) << "icon 101 at the small size";
  EXPECT_EQ(std::u16string(icon.szTip), u"Quorla购物浏览器");

  // The worker runs, with the window as its receiver, and sleeps a minute
  // at a time on its own thread handle.
  EXPECT_EQ(context.callback, static_cast<IEngineCallBack*>(window.get()));
  ASSERT_NE(context.thread, nullptr);
  ASSERT_TRUE(clock.AwaitWaitsAfter(0));
  EXPECT_EQ(clock.Waits()[0].thread, context.thread);
  EXPECT_EQ(clock.Waits()[0].milliseconds, 60000u);
  EXPECT_NE(window->Manager(), nullptr);
}

TEST_F(MainWindowTest, AnswersItsMessagesAsItsTableSays) {
  BrowserStarts starts;
  HWND hwnd = Open();
  ASSERT_NE(hwnd, nullptr);
  ASSERT_TRUE(clock.AwaitWaitsAfter(0));
  const std::size_t waits = clock.Waits().size();
  WatchAndQueue(u"http://rules.localhost/a", 100.0, 80.0);
  WatchAndQueue(u"http://rules.localhost/b", 100.0, 70.0);

  struct Step {
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LONG reloadInterval;
    LONG reloadList;
    std::size_t shown;
    std::size_t queued;
  };
  const Step steps[] = {
      {"the settings changed", WM_PRICE_SETTINGS_CHANGED, 0, 0, 1, 0, 0, 2},
      {"the list changed", WM_WATCHLIST_CHANGED, 0, 0, 1, 1, 0, 2},
      {"icon: left press (a start)", WM_NOTIFYICON_CALLBACK, 100, WM_LBUTTONDOWN, 1, 1, 0, 2},
      {"icon: left release", WM_NOTIFYICON_CALLBACK, 100, WM_LBUTTONUP, 1, 1, 0, 2},
      {"icon: double click", WM_NOTIFYICON_CALLBACK, 100, WM_LBUTTONDBLCLK, 1, 1, 0, 2},
      {"icon: right release", WM_NOTIFYICON_CALLBACK, 100, WM_RBUTTONUP, 1, 1, 0, 2},
      {"another icon's press", WM_NOTIFYICON_CALLBACK, 99, WM_LBUTTONDOWN, 1, 1, 0, 2},
      {"menu: open (a start)", WM_COMMAND, 0x00650064, 0, 1, 1, 0, 2},
      {"low word 100, unknown command", WM_COMMAND, 0x00670064, 0, 1, 1, 0, 2},
      {"the exit's high word under another low word", WM_COMMAND, 0x00660065, 0, 1, 1, 0, 2},
      {"another timer", WM_TIMER, 10002, 0, 1, 1, 0, 2},
      {"the notice timer", WM_TIMER, 10001, 0, 1, 1, 1, 1},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    SendMessageW(hwnd, s.message, s.wParam, s.lParam);
    DrainMessages();
    EXPECT_TRUE(IsWindow(hwnd)) << "still open";
    EXPECT_EQ(context.reloadInterval, s.reloadInterval);
    EXPECT_EQ(context.reloadList, s.reloadList);
    EXPECT_EQ(popup.shown.size(), s.shown);
    EXPECT_EQ(context.notices.Size(), s.queued);
  }
  // The browser's messages only set flags: the worker was not woken.
  EXPECT_EQ(clock.Waits().size(), waits);
  const std::vector<std::string> lines = starts.AwaitLines(2);
  EXPECT_EQ(lines, (std::vector<std::string>{BrowserStarts::LineFor("/tray"), BrowserStarts::LineFor("/tray")}));

  // The exit command closes the window and ends the loop with 0.
  SendMessageW(hwnd, WM_COMMAND, 0x00660064, 0);
  EXPECT_TRUE(IsWindow(hwnd)) << "the close is posted, not done at once";
  WTL::CMessageLoop loop;
  EXPECT_EQ(loop.Run(), 0);
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(MainWindowTest, ExitChosenWhileANoticeIsOpenEndsTheNoticeRemovesItsItemAndSaves) {
  BrowserStarts starts;
  ReducePriceItem other = MakeItem(u"http://rules.localhost/kept", 50.0, 50.0, 50.0);
  manager->AddItem(&other);
  const DWORD shownId = WatchAndQueue(u"http://rules.localhost/shown", 100.0, 80.0);
  ASSERT_EQ(manager->Save(), S_OK);
  CountingNoticePopup notices;
  HWND hwnd = Open(notices);
  ASSERT_TRUE(clock.AwaitWaitsAfter(0)) << "the worker holds its reference to the list";

  bool iconWorkedInside = false;
  WhenNoticeShown whenShown([&](HWND) {
    // The icon and its menu keep working inside the notice's loop.
    SendMessageW(hwnd, WM_NOTIFYICON_CALLBACK, 100, WM_LBUTTONDOWN);
    iconWorkedInside = window->ShowingNotice();
    PostMessageW(hwnd, WM_COMMAND, ID_TRAY_EXIT, 0);
  });
  PostMessageW(hwnd, WM_TIMER, NOTICE_TIMER_ID, 0);
  WTL::CMessageLoop loop;
  EXPECT_EQ(loop.Run(), 0);
  EXPECT_EQ(notices.shown, std::vector<DWORD>{shownId});
  EXPECT_TRUE(iconWorkedInside);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(FindWindowW(u"#32770", nullptr), nullptr) << "the notice has gone";
  ReducePriceItem* listed = nullptr;
  EXPECT_EQ(manager->GetItem(shownId, &listed), E_FAIL) << "the shown item left the list";

  Close();  // the program's end: the save
  EXPECT_EQ(UrlsInFile(home.watchList()), std::vector<std::u16string>{u"http://rules.localhost/kept"});
  EXPECT_EQ(starts.AwaitLines(1), std::vector<std::string>{BrowserStarts::LineFor("/tray")});
}

TEST_F(MainWindowTest, EachClosedNoticeLeavesTheListButTheFileOnlyAtTheEnd) {
  const DWORD first = WatchAndQueue(u"http://rules.localhost/1", 100.0, 80.0);
  const DWORD second = WatchAndQueue(u"http://rules.localhost/2", 100.0, 90.0);
  ASSERT_EQ(manager->Save(), S_OK);
  const std::string saved = ReadBytes(home.watchList());
  CountingNoticePopup notices;
  HWND hwnd = Open(notices);
  ASSERT_TRUE(clock.AwaitWaitsAfter(0));

  for (DWORD id : {first, second}) {
    WhenNoticeShown whenShown([](HWND notice) { PostMessageW(notice, WM_CLOSE, 0, 0); });
    SendMessageW(hwnd, WM_TIMER, NOTICE_TIMER_ID, 0);
    ASSERT_FALSE(notices.shown.empty());
    EXPECT_EQ(notices.shown.back(), id);
    ReducePriceItem* listed = nullptr;
    EXPECT_EQ(manager->GetItem(id, &listed), E_FAIL);
    EXPECT_EQ(ReadBytes(home.watchList()), saved) << "removal does not save";
  }
  SendMessageW(hwnd, WM_TIMER, NOTICE_TIMER_ID, 0);
  EXPECT_EQ(notices.shown.size(), 2u) << "nothing left to show";
  Close();
  EXPECT_TRUE(UrlsInFile(home.watchList()).empty());
}

}  // namespace
