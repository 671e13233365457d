#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>

#include "published_windows.h"
#include "remote_post_datagram.h"
#include "utf.h"
#include "win/handles.h"
#include "win/last_error.h"
#include "win/messages.h"
#include "win/mutexes.h"
#include "win/threads.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"
#include "window_handles.h"
#include "window_probe_process.h"

namespace {

using quorla::testing::TemporaryFolder;
using quorla::testing::WindowProbeProcess;

std::string RuntimeFolderPath() { return std::string(std::getenv("XDG_RUNTIME_DIR")) + "/quorla"; }

bool Exists(const std::string& path) { return std::filesystem::exists(std::filesystem::symlink_status(path)); }

const char kProbeClass[] = "QuorlaProbeClass";
const char kProbeTitle[] = "价格提醒 QuorlaMsg";

TEST(CrossProcessWindowsTest, AHiddenWindowOfAnotherProcessIsFoundFromAnyThread) {
  TemporaryFolder folder;
  WindowProbeProcess probe(folder, kProbeClass, kProbeTitle);
  HWND window = probe.AwaitWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(quorla::ProcessOfWindow(window), probe.Pid());

  struct Case {
    const char16_t* className;
    const char16_t* title;
    bool found;
  } const cases[] = {
      {u"QuorlaProbeClass", nullptr, true},    {u"quorlaprobeclass", nullptr, true},
      {nullptr, u"价格提醒 QuorlaMsg", true},  {u"QuorlaProbeClass", u"价格提醒 QuorlaMsg", true},
      {u"QuorlaProbeClass", u"价格提醒", false}, {nullptr, u"价格提醒 quorlamsg", false},
      {u"NoSuchClass", nullptr, false},        {u"NoSuchClass", u"价格提醒 QuorlaMsg", false},
  };
  for (const Case& c : cases) {
    HWND found = reinterpret_cast<HWND>(1);
    std::thread([&] { found = FindWindowW(c.className, c.title); }).join();
    EXPECT_EQ(found, c.found ? window : nullptr)
        << (c.className ? quorla::Utf16ToUtf8(c.className) : "-") << " / " << (c.title ? quorla::Utf16ToUtf8(c.title) : "-");
  }

  EXPECT_TRUE(IsWindow(window));
  DWORD pid = 0;
  EXPECT_NE(GetWindowThreadProcessId(window, &pid), 0u);
  EXPECT_EQ(pid, probe.Pid());
  HWND unknown = quorla::MakeWindowHandle(probe.Pid(), 0x7FFFFF00);
  EXPECT_FALSE(IsWindow(unknown));
  EXPECT_EQ(GetWindowThreadProcessId(unknown, &pid), 0u);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

TEST(CrossProcessWindowsTest, PostsArriveWholeAndInOrder) {
  TemporaryFolder folder;
  WindowProbeProcess probe(folder, kProbeClass, kProbeTitle);
  HWND window = probe.AwaitWindow();
  ASSERT_NE(window, nullptr);

  struct Post {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  std::vector<Post> posts;
  for (int i = 0; i < 300; ++i) posts.push_back({WM_USER + 7, static_cast<WPARAM>(i), -static_cast<LPARAM>(i) * 0x100000001});
  posts.push_back({0x0111, 1021, 0});  // WM_COMMAND
  posts.push_back({11111, 0, 0});
  posts.push_back({WM_APP + 5, ~WPARAM{0}, static_cast<LPARAM>(0x7FFFFFFFFFFFFFFF)});
  posts.push_back({0xFFFF, 1, 2});
  std::string expected;
  for (const Post& post : posts) {
    ASSERT_TRUE(PostMessageW(window, post.message, post.wParam, post.lParam)) << GetLastError();
    char line[80];
    std::snprintf(line, sizeof(line), "%x %" PRIxPTR " %" PRIxPTR "\n", post.message, static_cast<uintptr_t>(post.wParam),
                  static_cast<uintptr_t>(post.lParam));
    expected += line;
  }
  // Messages whose parameters are pointers never cross.
  for (UINT refused : {0x000Cu /* WM_SETTEXT */, 0x004Au /* WM_COPYDATA */, 0x0001u /* WM_CREATE */, 0x10000u}) {
    EXPECT_FALSE(PostMessageW(window, refused, 0, 0)) << refused;
    EXPECT_EQ(GetLastError(), ERROR_MESSAGE_SYNC_ONLY) << refused;
  }
  ASSERT_TRUE(PostMessageW(window, WM_CLOSE, 0, 0));
  expected += "10 0 0\n";
  EXPECT_EQ(probe.AwaitMessages().value_or("none"), expected);
  int status = probe.Child().Wait();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_TRUE(probe.DestructorRan()) << "an ordinary exit runs static destructors";
}

TEST(CrossProcessWindowsTest, AKilledProcessLeavesNoWindowAndNoMutex) {
  TemporaryFolder folder;
  WindowProbeProcess probe(folder, kProbeClass, kProbeTitle, "{VXTray-killed}");
  HWND window = probe.AwaitWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(FindWindowW(u"QuorlaProbeClass", nullptr), window);
  HANDLE opened = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, u"{VXTray-killed}");
  ASSERT_NE(opened, nullptr);
  CloseHandle(opened);

  const DWORD pid = probe.Pid();
  probe.Child().Kill();
  int status = probe.Child().Wait();
  ASSERT_TRUE(WIFSIGNALED(status));

  EXPECT_EQ(FindWindowW(u"QuorlaProbeClass", nullptr), nullptr);
  EXPECT_EQ(FindWindowW(nullptr, u"价格提醒 QuorlaMsg"), nullptr);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(PostMessageW(window, WM_USER, 0, 0));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  EXPECT_EQ(OpenMutexW(MUTEX_ALL_ACCESS, FALSE, u"{VXTray-killed}"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  HANDLE created = CreateMutexW(nullptr, TRUE, u"{VXTray-killed}");
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  CloseHandle(created);
  for (const char* kind : {"alive-", "windows-", "posts-"})
    EXPECT_FALSE(Exists(RuntimeFolderPath() + "/" + kind + std::to_string(pid))) << kind << " was cleaned up";
}

TEST(CrossProcessWindowsTest, AVisibleFlagIsPublished) {
  for (bool visible : {false, true}) {
    TemporaryFolder folder;
    WindowProbeProcess probe(folder, kProbeClass, kProbeTitle, "-", visible);
    HWND window = probe.AwaitWindow();
    ASSERT_NE(window, nullptr);
    auto text = quorla::testing::ReadFile(RuntimeFolderPath() + "/windows-" + std::to_string(probe.Pid()));
    ASSERT_TRUE(text);
    quorla::PublishedList list;
    ASSERT_TRUE(quorla::ParsePublishedList(*text, &list));
    ASSERT_EQ(list.windows.size(), 1u);
    EXPECT_EQ(list.windows[0].handle, window);
    EXPECT_EQ(list.windows[0].visible, visible);
    EXPECT_EQ(IsWindowVisible(window), visible ? TRUE : FALSE);
    probe.Child().Kill();
    probe.Child().Wait();
    EXPECT_FALSE(IsWindowVisible(window));
  }
}

LRESULT CALLBACK QuietProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class OwnWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = QuietProc;
    wc.lpszClassName = u"QuorlaOwnClass";
    RegisterClassExW(&wc);
  }
  static HWND Make(HWND parent, LPCWSTR title, DWORD style = 0) {
    return CreateWindowExW(0, u"QuorlaOwnClass", title, style, 0, 0, 0, 0, parent, nullptr, nullptr, nullptr);
  }
  static quorla::PublishedList OwnList() {
    quorla::PublishedList list;
    auto text = quorla::testing::ReadFile(RuntimeFolderPath() + "/windows-" + std::to_string(GetCurrentProcessId()));
    if (text) {
      EXPECT_TRUE(quorla::ParsePublishedList(*text, &list));
    }
    return list;
  }
};

TEST_F(OwnWindowsTest, OnlyTopLevelWindowsArePublishedAndDestroyedOnesVanish) {
  HWND hidden = Make(HWND_MESSAGE, u"message only");
  EXPECT_TRUE(OwnList().windows.empty());
  HWND top = Make(nullptr, u"top 窗口");
  HWND child = Make(top, u"child", WS_CHILD);
  auto list = OwnList();
  EXPECT_EQ(list.processId, GetCurrentProcessId());
  ASSERT_EQ(list.windows.size(), 1u);
  EXPECT_EQ(list.windows[0].handle, top);
  EXPECT_EQ(list.windows[0].className, u"QuorlaOwnClass");
  EXPECT_EQ(list.windows[0].title, u"top 窗口");
  EXPECT_EQ(list.windows[0].threadId, GetCurrentThreadId());
  EXPECT_EQ(quorla::ProcessOfWindow(top), GetCurrentProcessId());
  EXPECT_EQ(quorla::ProcessOfWindow(child), GetCurrentProcessId());

  HWND owned = Make(top, u"owned pop-up");  // no WS_CHILD: top-level, owned by top
  EXPECT_EQ(OwnList().windows.size(), 2u);
  DestroyWindow(owned);
  HWND second = Make(nullptr, u"second");
  EXPECT_EQ(OwnList().windows.size(), 2u);
  DestroyWindow(top);
  list = OwnList();
  ASSERT_EQ(list.windows.size(), 1u);
  EXPECT_EQ(list.windows[0].handle, second);
  DestroyWindow(second);
  DestroyWindow(hidden);
  EXPECT_TRUE(OwnList().windows.empty());
}

TEST_F(OwnWindowsTest, TitlesAndVisibilityArePublishedAsTheyChange) {
  HWND top = Make(nullptr, u"before");
  ASSERT_NE(top, nullptr);
  struct Step {
    const char* label;
    std::function<void()> change;
    std::u16string title;
    bool visible;
  } const steps[] = {
      {"created", [] {}, u"before", false},
      {"titled", [&] { SetWindowTextW(top, u"after 之后"); }, u"after 之后", false},
      {"shown", [&] { ShowWindow(top, SW_SHOW); }, u"after 之后", true},
      {"hidden", [&] { ShowWindow(top, SW_HIDE); }, u"after 之后", false},
      {"shown by position", [&] { SetWindowPos(top, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW); },
       u"after 之后", true},
      {"untitled", [&] { SetWindowTextW(top, nullptr); }, u"", true},
  };
  for (const Step& step : steps) {
    step.change();
    auto list = OwnList();
    ASSERT_EQ(list.windows.size(), 1u) << step.label;
    EXPECT_EQ(list.windows[0].title, step.title) << step.label;
    EXPECT_EQ(list.windows[0].visible, step.visible) << step.label;
  }
  DestroyWindow(top);
}

// Child windows come and go by the hundred: the list is not rewritten for
// them. Each rewrite is a new file; the open descriptor keeps the old file's
// number from being given to a new one.
TEST_F(OwnWindowsTest, ChildWindowsLeaveTheListAlone) {
  HWND top = Make(nullptr, u"parent");
  const std::string list = RuntimeFolderPath() + "/windows-" + std::to_string(GetCurrentProcessId());
  const int held = ::open(list.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(held, 0);
  struct stat before, after;
  ASSERT_EQ(::fstat(held, &before), 0);
  for (int i = 0; i < 20; ++i) {
    HWND child = Make(top, u"child", WS_CHILD | WS_VISIBLE);
    SetWindowTextW(child, u"renamed");
    ShowWindow(child, SW_HIDE);
    DestroyWindow(child);
    HWND hidden = Make(HWND_MESSAGE, u"message only");
    DestroyWindow(hidden);
  }
  ASSERT_EQ(::stat(list.c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);
  SetWindowTextW(top, u"renamed");
  ASSERT_EQ(::stat(list.c_str(), &after), 0);
  EXPECT_NE(before.st_ino, after.st_ino);
  ::close(held);
  DestroyWindow(top);
}

TEST_F(OwnWindowsTest, WindowsOfAThreadThatEndsVanishFromTheList) {
  size_t listedWhileRunning = 0;
  std::thread([&] {
    Make(nullptr, u"worker window");
    listedWhileRunning = OwnList().windows.size();
  }).join();
  EXPECT_EQ(listedWhileRunning, 1u);
  EXPECT_TRUE(OwnList().windows.empty());
}

// Sends raw datagrams to this process's own message socket.
bool SendRaw(const void* bytes, size_t size) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::string path = RuntimeFolderPath() + "/posts-" + std::to_string(GetCurrentProcessId());
  std::snprintf(address.sun_path, sizeof(address.sun_path), "%s", path.c_str());
  int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  ssize_t sent = ::sendto(fd, bytes, size, 0, reinterpret_cast<sockaddr*>(&address), sizeof(address));
  ::close(fd);
  return sent == static_cast<ssize_t>(size);
}

TEST_F(OwnWindowsTest, MalformedDatagramsAreDropped) {
  HWND top = Make(nullptr, u"receiver");
  ASSERT_NE(top, nullptr);
  auto encode = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    unsigned char datagram[quorla::kRemotePostSize];
    quorla::EncodeRemotePost(quorla::RemotePost{hwnd, message, wParam, lParam}, datagram);
    return std::vector<unsigned char>(datagram, datagram + sizeof(datagram));
  };
  // The datagram checks of their own are tested with the format; here, that
  // the receiver applies them and goes on after each.
  auto shortened = encode(top, WM_USER + 9, 0, 0);
  shortened.pop_back();
  const std::vector<std::vector<unsigned char>> datagrams = {
      encode(top, WM_USER + 2, 22, -22),
      shortened,
      encode(top, 0x000C, 0, 0x1234),  // WM_SETTEXT with a "pointer"
      encode(quorla::MakeWindowHandle(GetCurrentProcessId() + 1, 0x10010), WM_USER + 9, 0, 0),
      std::vector<unsigned char>(4096, 0x51),
      {},
      encode(top, WM_USER + 3, 33, 0),
      encode(top, WM_USER + 4, 0, 0),
  };
  for (const auto& datagram : datagrams) ASSERT_TRUE(SendRaw(datagram.data(), datagram.size()));

  std::vector<std::pair<UINT, WPARAM>> received;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < end && (received.empty() || received.back().first != WM_USER + 4)) {
    MSG msg;
    if (PeekMessageW(&msg, top, 0, 0, PM_REMOVE)) {
      received.emplace_back(msg.message, msg.wParam);
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }
  const std::vector<std::pair<UINT, WPARAM>> expected{{WM_USER + 2, 22}, {WM_USER + 3, 33}, {WM_USER + 4, 0}};
  EXPECT_EQ(received, expected);
  DestroyWindow(top);
}

// A list left by a process that died without anyone noticing is never used,
// and is removed by the first search that meets it.
TEST(CrossProcessWindowsTest, AListWithoutALiveHolderIsIgnoredAndRemoved) {
  quorla::testing::ChildProcess gone({"/bin/true"});
  gone.Wait();
  const DWORD pid = static_cast<DWORD>(gone.Pid());
  std::filesystem::create_directories(RuntimeFolderPath());
  ::chmod(RuntimeFolderPath().c_str(), 0700);
  quorla::PublishedList list;
  list.processId = pid;
  list.livenessId = 1;
  quorla::PublishedWindow window;
  window.handle = quorla::MakeWindowHandle(pid, 0x10010);
  window.className = u"QuorlaGhost";
  list.windows.push_back(window);
  const std::string base = RuntimeFolderPath() + "/";
  std::ofstream(base + "windows-" + std::to_string(pid)) << quorla::FormatPublishedList(list);
  std::ofstream(base + "alive-" + std::to_string(pid)) << "";

  EXPECT_EQ(FindWindowW(u"QuorlaGhost", nullptr), nullptr);
  EXPECT_FALSE(IsWindow(window.handle));
  EXPECT_FALSE(Exists(base + "windows-" + std::to_string(pid)));
  EXPECT_FALSE(Exists(base + "alive-" + std::to_string(pid)));
}

}  // namespace
