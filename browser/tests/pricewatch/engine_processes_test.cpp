// Several browser processes on one watch-list file: each runs its own engine
// (price_engine_peer), and none writes its old copy of the list over what
// another saved. And a browser that only hands its request to a running one
// downloads nothing.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "browser_ids.h"
#include "child_process.h"
#include "engine_test_support.h"
#include "win/window_classes.h"
#include "win/window_objects.h"
#include "win/window_styles.h"

namespace engine_test {
namespace {

// A browser's engine in a process of its own, told what to do line by line.
class EnginePeer {
 public:
  EnginePeer() {
    int toPeer[2], fromPeer[2];
    EXPECT_EQ(pipe2(toPeer, O_CLOEXEC), 0);
    EXPECT_EQ(pipe2(fromPeer, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toPeer[0], 0);
    posix_spawn_file_actions_adddup2(&actions, fromPeer[1], 1);
    const std::string program = std::string(QUORLA_ENGINE_TEST_DIR) + "/price_engine_peer";
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    EXPECT_EQ(posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(toPeer[0]);
    close(fromPeer[1]);
    m_in = fdopen(toPeer[1], "w");
    m_out = fdopen(fromPeer[0], "r");
    EXPECT_EQ(Line(), "ready");
  }
  ~EnginePeer() {
    if (m_in) fclose(m_in);  // the peer ends at the end of its input
    if (m_pid > 0) waitpid(m_pid, nullptr, 0);
    if (m_out) fclose(m_out);
  }

  std::string Ask(const std::string& command) {
    std::fprintf(m_in, "%s\n", command.c_str());
    std::fflush(m_in);
    return Line();
  }
  // The close path: the workers stop, the process terminates itself.
  int Close() {
    std::fprintf(m_in, "close\n");
    std::fflush(m_in);
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  std::string Line() {
    char buffer[4096];
    if (!std::fgets(buffer, sizeof buffer, m_out)) return "(ended)";
    std::string line(buffer);
    if (!line.empty() && line.back() == '\n') line.pop_back();
    return line;
  }

  pid_t m_pid = -1;
  FILE* m_in = nullptr;
  FILE* m_out = nullptr;
};

const std::string kPhone = "http://rules.localhost/phone";
const std::string kBook = "http://rules.localhost/book";
const std::string kLamp = "http://rules.localhost/lamp";

class EngineProcesses : public ::testing::Test {
 protected:
  TempConfigHome home;
  std::vector<std::string> Urls() { return UrlsInFile(home.watchList()); }
};

TEST_F(EngineProcesses, AnAddInOneBrowserAndARemoveInAnotherBothReachTheFile) {
  EnginePeer first, second;  // both read the empty list
  EXPECT_EQ(first.Ask("add " + kPhone + " 99 88"), "added 1");
  EXPECT_EQ(second.Ask("add " + kBook + " 30 30"), "added 1");
  EXPECT_EQ(Urls(), (std::vector<std::string>{kPhone, kBook}));
  EXPECT_EQ(second.Ask("remove " + kPhone), "removed 1");
  EXPECT_EQ(Urls(), std::vector<std::string>{kBook});
  EXPECT_EQ(first.Ask("list"), "list " + kBook);
}

TEST_F(EngineProcesses, ARemovalSavedByAThirdProgramSurvivesAnAdd) {
  WriteListAsAnotherProgram(home.watchList(), {MakeItem(Wide(kPhone), 99.0, 88.0), MakeItem(Wide(kBook), 30.0, 30.0)});
  EnginePeer first, second;  // both read the two items
  EnginePeer third;
  EXPECT_EQ(third.Ask("remove " + kPhone), "removed 1");
  EXPECT_EQ(first.Ask("add " + kLamp + " 50 45"), "added 1");
  EXPECT_EQ(Urls(), (std::vector<std::string>{kBook, kLamp}));
  EXPECT_EQ(second.Ask("remove " + kPhone), "removed 0") << "gone already";
  EXPECT_EQ(Urls(), (std::vector<std::string>{kBook, kLamp}));
}

TEST_F(EngineProcesses, ClosingABrowserThatReadTheListLongAgoLeavesTheFileAlone) {
  WriteListAsAnotherProgram(home.watchList(), {MakeItem(Wide(kPhone), 99.0, 88.0)});
  EnginePeer stale;  // reads the one item, then changes nothing
  {
    EnginePeer other;
    EXPECT_EQ(other.Ask("add " + kBook + " 30 30"), "added 1");
    EXPECT_EQ(other.Ask("remove " + kPhone), "removed 1");
  }
  const std::string before = ReadBytes(home.watchList());
  EXPECT_EQ(stale.Close(), 1);
  EXPECT_EQ(ReadBytes(home.watchList()), before);
  EXPECT_EQ(Urls(), std::vector<std::string>{kBook});
}

// A browser started with "/tray" while another browser's window runs hands
// the request on and ends; its engine, built all the same, reaches no
// window and so neither checks nor writes the time of a check.
TEST(HandOverBrowser, MakesNoRequestToTheShopAndLeavesLastCheckTimeAlone) {
  TempConfigHome home;
  quorla::testing::HttpTestServer server;
  server.ServeBody("/item", RuleShopPage("80.00"));
  ASSERT_TRUE(server.Start());
  WriteListAsAnotherProgram(home.watchList(), {MakeItem(Wide(ShopUrl(server, "rules.localhost", "/item")), 100.0, 100.0)});
  home.SetSetting(u"LastCheckTime", u"0");
  home.SetSetting(u"CheckTimeLong", u"1");

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.lpszClassName = kMainFrameClassName;
  RegisterClassW(&windowClass);
  HWND running = CreateWindowExW(0, kMainFrameClassName, u"", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                 nullptr, nullptr);
  ASSERT_NE(running, nullptr);
  std::vector<std::string> environment;
  for (char** entry = environ; *entry; ++entry) environment.push_back(*entry);
  environment.push_back("QT_QPA_PLATFORM=offscreen");
  const auto result =
      quorla_desktop::RunCommand({std::string(QUORLA_BIN_DIR) + "/VXBrowser", "/tray"}, environment, 60s);
  EXPECT_EQ(result.exitCode, 0);
  std::this_thread::sleep_for(200ms);  // a download it had started would have arrived
  EXPECT_TRUE(server.Requests().empty());
  EXPECT_EQ(home.Setting(u"LastCheckTime"), u"0");
  DestroyWindow(running);
}

}  // namespace
}  // namespace engine_test
