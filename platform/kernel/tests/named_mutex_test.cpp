#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <thread>

#include "child_processes.h"
#include "utf.h"
#include "win/handles.h"
#include "win/last_error.h"
#include "win/mutexes.h"
#include "win/waits.h"

namespace {

using quorla::testing::ChildProcess;
using quorla::testing::TemporaryFolder;

std::string RuntimeFolderPath() { return std::string(std::getenv("XDG_RUNTIME_DIR")) + "/quorla"; }

// Points XDG_RUNTIME_DIR elsewhere for the life of the object.
class RuntimeDirectoryOverride {
 public:
  explicit RuntimeDirectoryOverride(const std::string& path) : previous_(std::getenv("XDG_RUNTIME_DIR")) {
    ::setenv("XDG_RUNTIME_DIR", path.c_str(), 1);
  }
  ~RuntimeDirectoryOverride() { ::setenv("XDG_RUNTIME_DIR", previous_.c_str(), 1); }

 private:
  std::string previous_;
};

TEST(NamedMutexTest, ExistsWhileAHandleOfItsCreatorIsOpen) {
  const char16_t* name = u"{VXTray-quorla-test}";
  HANDLE first = CreateMutexW(nullptr, TRUE, name);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  HANDLE second = CreateMutexW(nullptr, FALSE, name);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  HANDLE opened = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, name);
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(OpenMutexW(MUTEX_ALL_ACCESS, FALSE, u"{vxtray-quorla-test}"), nullptr) << "names keep their case";
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

  EXPECT_TRUE(CloseHandle(first));
  EXPECT_TRUE(CloseHandle(opened));
  HANDLE reopened = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, name);
  EXPECT_NE(reopened, nullptr) << "one handle is still open";
  EXPECT_TRUE(CloseHandle(second));
  EXPECT_TRUE(CloseHandle(reopened));
  EXPECT_EQ(OpenMutexW(MUTEX_ALL_ACCESS, FALSE, name), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_TRUE(std::filesystem::exists(RuntimeFolderPath() + "/mutex-%7BVXTray-quorla-test%7D"));

  HANDLE again = CreateMutexW(nullptr, TRUE, name);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  CloseHandle(again);
}

TEST(NamedMutexTest, EveryNameIsAFileOfItsOwnInsideTheFolder) {
  TemporaryFolder base;
  RuntimeDirectoryOverride override(base.Path());
  const std::u16string names[] = {u"a/b", u"a%2Fb", u"a_b", u"A/B", u"..", u"../escape", u"名字", u"名字 ", u"x\\y"};
  std::vector<HANDLE> handles;
  for (const std::u16string& name : names) {
    HANDLE handle = CreateMutexW(nullptr, FALSE, name.c_str());
    ASSERT_NE(handle, nullptr) << quorla::Utf16ToUtf8(name);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS) << quorla::Utf16ToUtf8(name);
    handles.push_back(handle);
  }
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(RuntimeFolderPath())) {
    EXPECT_TRUE(entry.is_regular_file()) << entry.path();
    ++files;
  }
  EXPECT_EQ(files, std::size(names));
  EXPECT_FALSE(std::filesystem::exists(std::string(std::getenv("XDG_RUNTIME_DIR")) + "/escape"));
  for (HANDLE handle : handles) CloseHandle(handle);
}

TEST(NamedMutexTest, NamesThatCannotBeKeptFail) {
  struct Case {
    std::u16string name;
    DWORD error;
  } const cases[] = {
      {std::u16string(300, u'x'), ERROR_FILENAME_EXCED_RANGE},
      {std::u16string(90, u'名'), ERROR_FILENAME_EXCED_RANGE},
      {std::u16string(u"half \xD800 pair"), ERROR_INVALID_NAME},
      {std::u16string(u"\xDC00"), ERROR_INVALID_NAME},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CreateMutexW(nullptr, TRUE, c.name.c_str()), nullptr);
    EXPECT_EQ(GetLastError(), c.error);
    EXPECT_EQ(OpenMutexW(MUTEX_ALL_ACCESS, FALSE, c.name.c_str()), nullptr);
    EXPECT_EQ(GetLastError(), c.error);
  }
  EXPECT_NE(CreateMutexW(nullptr, TRUE, std::u16string(80, u'名').c_str()), nullptr) << "fits";
  EXPECT_EQ(OpenMutexW(MUTEX_ALL_ACCESS, FALSE, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(NamedMutexTest, OwnershipIsCountedPerThread) {
  for (const char16_t* name : {static_cast<const char16_t*>(nullptr), u"quorla-ownership"}) {
    SCOPED_TRACE(name ? "named" : "unnamed");
    HANDLE mutex = CreateMutexW(nullptr, TRUE, name);
    ASSERT_NE(mutex, nullptr);
    DWORD waited = 0, released = TRUE, error = 0;
    std::thread([&] {
      waited = WaitForSingleObject(mutex, 50);
      released = ReleaseMutex(mutex);
      error = GetLastError();
    }).join();
    EXPECT_EQ(waited, WAIT_TIMEOUT);
    EXPECT_FALSE(released);
    EXPECT_EQ(error, ERROR_NOT_OWNER);

    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0) << "the owner takes it again";
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_FALSE(ReleaseMutex(mutex));
    EXPECT_EQ(GetLastError(), ERROR_NOT_OWNER);

    std::thread([&] {
      waited = WaitForSingleObject(mutex, 1000);
      released = ReleaseMutex(mutex);
    }).join();
    EXPECT_EQ(waited, WAIT_OBJECT_0);
    EXPECT_TRUE(released);
    CloseHandle(mutex);
  }
  EXPECT_FALSE(ReleaseMutex(nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(NamedMutexTest, AWaiterTakesTheMutexWhenTheOwnerReleasesIt) {
  HANDLE mutex = CreateMutexW(nullptr, TRUE, u"quorla-handover");
  ASSERT_NE(mutex, nullptr);
  DWORD waited = 0;
  std::thread waiter([&] {
    waited = WaitForSingleObject(mutex, INFINITE);
    ReleaseMutex(mutex);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_TRUE(ReleaseMutex(mutex));
  waiter.join();
  EXPECT_EQ(waited, WAIT_OBJECT_0);
  CloseHandle(mutex);
}

// A runtime folder that another user could reach into is refused; named
// mutexes then fail cleanly and unnamed ones still work.
TEST(NamedMutexTest, ARefusedRuntimeFolderFailsNamedMutexes) {
  enum Kind { kSymbolicLink, kOpenToOthers, kPlainFile, kNoParent, kFresh };
  const struct {
    Kind kind;
    const char* label;
  } cases[] = {{kSymbolicLink, "symbolic link"},
               {kOpenToOthers, "mode 0755"},
               {kPlainFile, "plain file"},
               {kNoParent, "missing parent"},
               {kFresh, "made fresh"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    TemporaryFolder base;
    const std::string folder = base / "quorla";
    switch (c.kind) {
      case kSymbolicLink:
        ASSERT_EQ(::mkdir((base / "real").c_str(), 0700), 0);
        ASSERT_EQ(::symlink((base / "real").c_str(), folder.c_str()), 0);
        break;
      case kOpenToOthers:
        ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
        ASSERT_EQ(::chmod(folder.c_str(), 0755), 0);
        break;
      case kPlainFile:
        ASSERT_TRUE(std::ofstream(folder).good());
        break;
      case kNoParent:
      case kFresh:
        break;
    }
    RuntimeDirectoryOverride override(c.kind == kNoParent ? base / "gone" : base.Path());
    HANDLE named = CreateMutexW(nullptr, TRUE, u"quorla-refused");
    HANDLE unnamed = CreateMutexW(nullptr, TRUE, nullptr);
    EXPECT_NE(unnamed, nullptr);
    CloseHandle(unnamed);
    if (c.kind == kFresh) {
      ASSERT_NE(named, nullptr);
      struct stat st;
      ASSERT_EQ(::lstat(folder.c_str(), &st), 0);
      EXPECT_TRUE(S_ISDIR(st.st_mode));
      EXPECT_EQ(st.st_mode & 07777, 0700u);
      CloseHandle(named);
      continue;
    }
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(named, nullptr);
    if (c.kind != kNoParent) {
      EXPECT_EQ(CreateMutexW(nullptr, TRUE, u"quorla-refused"), nullptr);
      EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
      EXPECT_EQ(OpenMutexW(MUTEX_ALL_ACCESS, FALSE, u"quorla-refused"), nullptr);
      EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    }
    EXPECT_FALSE(std::filesystem::exists(base / "real/mutex-quorla-refused"));
  }
}

// Twenty processes create the same mutex at once: exactly one creates it,
// the others get a handle and ERROR_ALREADY_EXISTS. A handle of another
// process's mutex only names it.
TEST(NamedMutexTest, OfTwentyRacingProcessesExactlyOneCreatesTheMutex) {
  constexpr int kRacers = 20;
  const char* name = "{VXTray-race}";
  int start[2], hold[2], results[2];
  ASSERT_EQ(::pipe2(start, O_CLOEXEC), 0);
  ASSERT_EQ(::pipe2(hold, O_CLOEXEC), 0);
  ASSERT_EQ(::pipe2(results, O_CLOEXEC), 0);
  std::vector<std::unique_ptr<ChildProcess>> racers;
  for (int i = 0; i < kRacers; ++i) {
    racers.push_back(std::make_unique<ChildProcess>(
        std::vector<std::string>{quorla::testing::FixtureProgram("mutex_racer"), name},
        std::vector<std::pair<int, int>>{{hold[0], 0}, {results[1], 1}, {start[0], 3}}));
    ASSERT_GT(racers.back()->Pid(), 0);
  }
  ::close(start[0]);
  ::close(hold[0]);
  ::close(results[1]);
  ::close(start[1]);  // go

  std::string lines;
  while (std::count(lines.begin(), lines.end(), '\n') < kRacers) {
    char buffer[256];
    ssize_t got = ::read(results[0], buffer, sizeof(buffer));
    ASSERT_GT(got, 0) << lines;
    lines.append(buffer, static_cast<size_t>(got));
  }
  std::map<std::string, int> outcomes;
  std::istringstream in(lines);
  for (std::string word, rest; in >> word && std::getline(in, rest);) ++outcomes[word];
  EXPECT_EQ(outcomes["owner"], 1) << lines;
  EXPECT_EQ(outcomes["exists"], kRacers - 1) << lines;

  HANDLE named = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, u"{VXTray-race}");
  ASSERT_NE(named, nullptr);
  EXPECT_EQ(WaitForSingleObject(named, 0), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(ReleaseMutex(named));
  EXPECT_EQ(GetLastError(), ERROR_NOT_OWNER);
  HANDLE late = CreateMutexW(nullptr, TRUE, u"{VXTray-race}");
  EXPECT_NE(late, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  CloseHandle(late);
  CloseHandle(named);

  ::close(hold[1]);  // let them end
  for (auto& racer : racers) {
    int status = racer->Wait();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  ::close(results[0]);
  EXPECT_EQ(OpenMutexW(MUTEX_ALL_ACCESS, FALSE, u"{VXTray-race}"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

}  // namespace
