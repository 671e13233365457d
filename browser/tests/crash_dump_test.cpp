// The programs' crash handling end to end: a child that installs the handler
// as the programs do crashes; it must leave a readable dump beside its
// program file, tell the user and exit with the exception code's low byte.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

extern char** environ;

namespace {

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

uint32_t U32(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  if (at + 4 <= bytes.size()) std::memcpy(&value, &bytes[at], 4);
  return value;
}

uint64_t U64(const std::string& bytes, size_t at) {
  uint64_t value = 0;
  if (at + 8 <= bytes.size()) std::memcpy(&value, &bytes[at], 8);
  return value;
}

// Offset of the first stream of the type, 0 when absent.
uint32_t StreamAt(const std::string& dump, uint32_t type) {
  for (uint32_t i = 0; i < U32(dump, 8); ++i) {
    const size_t entry = U32(dump, 12) + i * 12;
    if (U32(dump, entry) == type) return U32(dump, entry + 8);
  }
  return 0;
}

class CrashDump : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("quorla-crash-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    // A copy of the program in a folder of its own: its dump lands there.
    program = dir / "crash_child";
    fs::copy_file(fs::path(QUORLA_TEST_DIR) / "crash_child", program);
  }
  void TearDown() override { fs::remove_all(dir); }

  // Runs the child; gives its wait status.
  int Run(const std::vector<std::string>& arguments) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, (dir / "out.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, (dir / "err.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    started = std::time(nullptr);
    pid_t pid = 0;
    EXPECT_EQ(::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ), 0);
    child = pid;
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ended = std::time(nullptr);
    return status;
  }

  // The one dump file beside the program; checks its name's time.
  fs::path DumpFile() const {
    std::vector<fs::path> dumps;
    for (const auto& entry : fs::directory_iterator(dir)) {
      if (entry.path().extension() == ".dmp") dumps.push_back(entry.path());
    }
    EXPECT_EQ(dumps.size(), 1u);
    if (dumps.empty()) return {};
    std::smatch match;
    const std::string name = dumps[0].filename().string();
    EXPECT_TRUE(std::regex_match(name, match, std::regex(R"(VXBrowser_dump__(\d{10})\.dmp)"))) << name;
    bool timeMatches = false;
    // The dump is named while the child runs, however slow a loaded machine makes its start.
    for (std::time_t t = started - 1; t <= ended + 1; ++t) {
      char expected[16];
      std::strftime(expected, sizeof expected, "%m%d%H%M%S", std::localtime(&t));
      timeMatches = timeMatches || match[1] == expected;
    }
    EXPECT_TRUE(timeMatches) << name;
    return dumps[0];
  }

  uint32_t CrashingThread() const {
    std::string out = ReadFile(dir / "out.txt");
    std::smatch match;
    EXPECT_TRUE(std::regex_search(out, match, std::regex(R"(thread (\d+))"))) << out;
    return match.empty() ? 0 : static_cast<uint32_t>(std::stoul(match[1]));
  }

  // The dump's layout is the dump writer's own test; here the real fault
  // reaches it as the crashing thread's write at address 0.
  void ExpectDumpOfAccessViolation(uint32_t thread) const {
    const std::string dump = ReadFile(DumpFile());
    ASSERT_GT(dump.size(), 32u);
    EXPECT_EQ(dump.substr(0, 4), "MDMP");
    const uint32_t exception = StreamAt(dump, 6);
    ASSERT_NE(exception, 0u);
    EXPECT_EQ(U32(dump, exception), thread);
    EXPECT_EQ(U32(dump, exception + 12), 0xC0000005u);  // the platform's code
    EXPECT_EQ(U32(dump, exception + 32), 2u);           // read or write, and the address
    EXPECT_EQ(U64(dump, exception + 40), 1u);           // a write
    EXPECT_EQ(U64(dump, exception + 48), 0u);           // at address 0
    const uint32_t threads = StreamAt(dump, 3);
    ASSERT_NE(threads, 0u);
    ASSERT_EQ(U32(dump, threads), 1u);
    EXPECT_EQ(U32(dump, threads + 4), thread);
  }

  void ExpectMessageOnStandardError() const {
    const std::string err = ReadFile(dir / "err.txt");
    EXPECT_NE(err.find("运行Quorla购物浏览器出现错误\n"), std::string::npos) << err;
    EXPECT_NE(err.find("在运行Quorla购物浏览器时出现异常，程序和功能可能不完整，为避免您和更多\n网友再次遇到这个问题，"
                       "请及时反馈该问题\n"),
              std::string::npos)
        << err;
  }

  fs::path dir;
  fs::path program;
  std::time_t started = 0;
  std::time_t ended = 0;
  pid_t child = 0;
};

TEST_F(CrashDump, ANullWriteLeavesADumpTellsTheUserAndExitsWithTheCodesLowByte) {
  const std::string thief = (fs::path(QUORLA_TEST_DIR) / "FilterThief.dll").string();
  struct Case {
    const char* name;
    std::vector<std::string> arguments;
    const char* printed;  // on standard output besides the thread
  };
  const Case cases[] = {
      {"on the main thread", {"main"}, ""},
      {"on a worker thread", {"worker"}, ""},
      // The library's filter would exit with 77.
      {"after a library set its own filter, and got null", {"library", thief}, "library got null"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const auto& entry : fs::directory_iterator(dir))
      if (entry.path().extension() == ".dmp") fs::remove(entry.path());
    const int status = Run(c.arguments);
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 0x05);
    EXPECT_NE(ReadFile(dir / "out.txt").find(c.printed), std::string::npos);
    const uint32_t thread = CrashingThread();
    if (c.arguments[0] == "main") {
      EXPECT_EQ(thread, static_cast<uint32_t>(child)) << "the main thread's id is the process's";
    }
    ExpectDumpOfAccessViolation(thread);
    ExpectMessageOnStandardError();
  }
}

// dbghelp.dll is looked for beside the program first: one there without
// MiniDumpWriteDump means no crash handler at all.
TEST_F(CrashDump, WithoutTheDumpWriterNothingIsInstalled) {
  fs::copy_file(fs::path(QUORLA_TEST_DIR) / "FilterThief.dll", dir / "dbghelp.dll");
  const int status = Run({"main"});
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUORLA_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(QUORLA_ADDRESS_SANITIZER)
  EXPECT_FALSE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the sanitizer reports the fault its own way";
#else
  ASSERT_TRUE(WIFSIGNALED(status)) << status;
  EXPECT_EQ(WTERMSIG(status), SIGSEGV);
#endif
  EXPECT_NE(ReadFile(dir / "out.txt").find("no dump writer"), std::string::npos);
  for (const auto& entry : fs::directory_iterator(dir)) {
    EXPECT_NE(entry.path().extension(), ".dmp");
  }
  EXPECT_EQ(ReadFile(dir / "err.txt").find("运行Quorla"), std::string::npos);
}

// A standard reader of minidumps, the debugger lldb, loads the dump and
// walks the crashed worker's stack from the faulting line to the thread's start.
TEST_F(CrashDump, ADebuggerReadsTheDump) {
  const char* lldb = "/usr/bin/lldb-14";
  if (::access(lldb, X_OK) != 0) GTEST_SKIP() << "lldb-14 is not installed";
  ASSERT_TRUE(WIFEXITED(Run({"worker"})));
  const fs::path dump = DumpFile();
  // Debian's lldb looks for its Python module in the interpreter's versioned folder.
  const std::string command = "env -i PATH=/usr/bin:/bin HOME=" + dir.string() +
                              " PYTHONPATH=/usr/lib/llvm-14/lib/python3.11/dist-packages timeout 120 " + lldb +
                              " --batch -c '" + dump.string() + "' -o 'thread list' -o bt -o 'image list' > '" +
                              (dir / "lldb.txt").string() + "' 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << ReadFile(dir / "lldb.txt");
  const std::string shown = ReadFile(dir / "lldb.txt");
  EXPECT_NE(shown.find("was loaded"), std::string::npos) << shown;
  EXPECT_NE(shown.find("tid = " + std::to_string(CrashingThread())), std::string::npos) << shown;
  EXPECT_NE(shown.find("stop reason = signal SIGSEGV"), std::string::npos) << shown;
  // The faulting line, found through the module's build identifier, and the layer's thread start above it.
  EXPECT_TRUE(std::regex_search(shown, std::regex(R"(frame #0: 0x[0-9a-f]+ crash_child`.* at crash_child\.cpp:\d+)")))
      << shown;
  EXPECT_TRUE(std::regex_search(shown, std::regex(R"(frame #1: 0x[0-9a-f]+ libquorla-platform\.so`)"))) << shown;
}

TEST_F(CrashDump, ADumpThatCannotBeCreatedGivesNoMessageButTheSameExit) {
  // Folders stand where the dump would be written, for every second the start may take.
  const std::time_t now = std::time(nullptr);
  for (std::time_t t = now - 1; t <= now + 10; ++t) {
    char name[64];
    std::strftime(name, sizeof name, "VXBrowser_dump__%m%d%H%M%S.dmp", std::localtime(&t));
    fs::create_directories(dir / name);
  }
  const int status = Run({"main"});
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0x05);
  EXPECT_EQ(ReadFile(dir / "err.txt").find("运行Quorla"), std::string::npos);
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().extension() == ".dmp") {
      EXPECT_TRUE(entry.is_directory());
    }
  }
}

}  // namespace
