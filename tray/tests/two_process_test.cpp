// The browser's side played by another process: a helper program linked to
// the layer finds the hidden "VXTrayClassName" window of this (test) tray
// program and posts to it. The browser's messages take effect at the
// worker's next wake; at the end, a file that another program saved since
// the list was read is left as it is.
#include <chrono>
#include <string>

#include "child_process.h"
#include "main_window_test_support.h"

extern char** environ;

namespace {

using namespace tray_test;

class TwoProcessTest : public MainWindowTest {
 protected:
  // Runs the helper, which posts message to the tray window; this thread
  // keeps taking its messages meanwhile, as a running program does, until
  // the helper has ended and done holds (at most ten seconds). Returns the
  // helper's exit status (0: posted).
  template <class Done>
  int PostFromAnotherProcess(UINT message, WPARAM wParam, Done done) {
    quorla_desktop::LaunchOptions options;
    options.argv = {std::string(QUORLA_TRAY_TEST_DIR) + "/tray_window_poster", std::to_string(message),
                    std::to_string(wParam)};
    for (char** entry = environ; *entry; ++entry) options.environment.push_back(*entry);
    std::string error;
    auto helper = quorla_desktop::ChildProcess::Launch(options, &error);
    EXPECT_TRUE(helper) << error;
    if (!helper) return -1;
    std::optional<int> status;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      DrainMessages();
      if (!status) status = helper->Wait(std::chrono::milliseconds(5));
      if (status && done()) break;
    }
    return status.value_or(-1);
  }
};

TEST_F(TwoProcessTest, TheBrowsersMessagesTakeEffectAtTheWorkersNextWake) {
  SaveListAsAnotherProgram(home.watchList(), RulesItems({"a", "b"}));
  manager->Load();
  HWND hwnd = Open();
  ASSERT_NE(hwnd, nullptr);
  ASSERT_TRUE(clock.AwaitWaitsAfter(0));

  // The browser adds a watch, saves, and tells the tray program.
  SaveListAsAnotherProgram(home.watchList(), RulesItems({"a", "b", "new"}));
  EXPECT_EQ(PostFromAnotherProcess(WM_WATCHLIST_CHANGED, 0, [&] { return context.reloadList != 0; }), 0);
  EXPECT_EQ(context.reloadList, 1);
  EXPECT_EQ(manager->GetCount(), 2u) << "nothing is read before the wake";
  ASSERT_TRUE(clock.Wake());
  EXPECT_EQ(context.reloadList, 0);
  EXPECT_EQ(manager->GetCount(), 3u);

  // The interval, likewise: read again at the wake, which then checks.
  home.SetSetting(u"CheckTimeLong", u"0");
  home.SetSetting(u"LastCheckTime", Decimal(kMainWindowStart));
  EXPECT_EQ(PostFromAnotherProcess(WM_PRICE_SETTINGS_CHANGED, 0, [&] { return context.reloadInterval != 0; }), 0);
  EXPECT_EQ(context.reloadInterval, 1);
  clock.Set(kMainWindowStart + 1);
  ASSERT_TRUE(clock.Wake());
  EXPECT_EQ(context.reloadInterval, 0);
  EXPECT_EQ(home.Setting(u"LastCheckTime"), Decimal(kMainWindowStart + 1)) << "a check ran";
}

TEST_F(TwoProcessTest, TheExitLeavesAFileAnotherProgramSavedMeanwhile) {
  SaveListAsAnotherProgram(home.watchList(), RulesItems({"a", "b"}));
  manager->Load();
  HWND hwnd = Open();
  ASSERT_NE(hwnd, nullptr);
  ASSERT_TRUE(clock.AwaitWaitsAfter(0));
  for (DWORD id : Ids(manager))
    if (std::u16string(Listed(manager, id).Url) == RulesUrl("a")) RemoveWatchedItem(context, manager, id);
  // The browser saves a new watch; its message has not come yet.
  SaveListAsAnotherProgram(home.watchList(), RulesItems({"a", "b", "new"}));

  EXPECT_EQ(PostFromAnotherProcess(WM_COMMAND, ID_TRAY_EXIT, [&] { return !IsWindow(hwnd); }), 0);
  WTL::CMessageLoop loop;
  EXPECT_EQ(loop.Run(), 0);
  Close();
  EXPECT_EQ(UrlsInFile(home.watchList()), RulesUrls({"a", "b", "new"})) << "the newer file wins";
}

TEST_F(TwoProcessTest, WithoutATrayWindowTheHelperFindsNothing) {
  EXPECT_EQ(PostFromAnotherProcess(WM_WATCHLIST_CHANGED, 0, [] { return true; }), 1);
}

}  // namespace
