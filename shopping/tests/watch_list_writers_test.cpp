// Writers of one watch list in several processes: killed half-way they leave
// at most one temporary file, and two at once never mix their lists.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <random>
#include <thread>

#include "test_support.h"
#include "watch_list_file.h"
#include "win/files.h"
#include "win/handles.h"

extern char** environ;

namespace {

using namespace shopping_test;

// One writer process saving a list of count records titled with tag.
class Saver {
 public:
  Saver(const fs::path& file, int count, char tag) {
    const std::string program = std::string(QUORLA_TEST_DIR) + "/watch_list_saver";
    const std::string countText = std::to_string(count);
    const std::string tagText(1, tag);
    std::vector<char*> argv{const_cast<char*>(program.c_str()), const_cast<char*>(file.c_str()),
                            const_cast<char*>(countText.c_str()), const_cast<char*>(tagText.c_str()), nullptr};
    EXPECT_EQ(::posix_spawn(&m_pid, program.c_str(), nullptr, nullptr, argv.data(), environ), 0);
  }
  ~Saver() { Kill(); }
  void Kill() {
    if (m_pid <= 0) return;
    ::kill(m_pid, SIGKILL);
    int status = 0;
    ::waitpid(m_pid, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the writer ended by itself with " << WEXITSTATUS(status);
    m_pid = -1;
  }

 private:
  pid_t m_pid = -1;
};

// Whether some writer holds the writers' lock of file right now.
bool WriterBusy(const fs::path& file) {
  HANDLE lock = CreateFileW((file.u16string() + u".lock").c_str(), GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (lock == INVALID_HANDLE_VALUE) return false;
  OVERLAPPED start = {};
  const bool taken = !LockFileEx(lock, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &start);
  CloseHandle(lock);
  return taken;
}

// The file's bytes, read through one open; empty when there is none.
std::string WholeFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return {};
  std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
  in.seekg(0);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

// The tag of the whole list in bytes, all of whose records are titled
// alike; 0 when the bytes are not such a list.
char TagOfWholeList(const std::string& bytes) {
  const WatchListRecords records = ReadWatchListBytes(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size());
  if (records.empty() || bytes.size() != 8 + records.size() * sizeof(ReducePriceItem)) return 0;
  const char16_t tag = records.begin()->second.Title[0];
  for (const auto& [position, item] : records) {
    if (std::u16string(item.Title) != std::u16string(20, tag)) return 0;
  }
  return static_cast<char>(tag);
}

TEST(WatchListWriters, WritersKilledHalfWayLeaveOneTemporaryFileAtMost) {
  TempConfigHome home;
  const fs::path file = home.dir() / "reduceprice.fg";
  constexpr int kRecords = 400;  // about 2 MB: a save takes a while
  std::mt19937 random(12345);
  int killedWhileSaving = 0;
  for (int round = 0; round < 40; ++round) {
    Saver saver(file, kRecords, 'A');
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!WriterBusy(file) && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
    killedWhileSaving += WriterBusy(file);
    saver.Kill();
    for (const std::string& name : FileNames(home.dir()))
      EXPECT_TRUE(name == "reduceprice.fg" || name == "reduceprice.fg.lock" || name == "reduceprice.fg.tmp")
          << "round " << round << ": " << name;
    if (fs::exists(file)) {
      const std::string bytes = WholeFile(file);
      EXPECT_EQ(TagOfWholeList(bytes), 'A') << "round " << round;
      EXPECT_EQ(bytes.size(), 8 + kRecords * sizeof(ReducePriceItem)) << "round " << round;
    }
  }
  EXPECT_GT(killedWhileSaving, 20) << "too few kills landed inside a save to tell";
  EXPECT_TRUE(fs::exists(home.dir() / "reduceprice.fg.tmp")) << "no kill left a temporary file to reuse";

  // The next save takes the left-over temporary file for its own.
  ASSERT_TRUE(WriteWatchListFile(file.u16string(), std::vector<ReducePriceItem>(2, MakeItem(u"http://a/"))));
  EXPECT_EQ(FileNames(home.dir()), (std::set<std::string>{"reduceprice.fg", "reduceprice.fg.lock"}));
}

TEST(WatchListWriters, TwoWritersAtOnceNeverMixTheirLists) {
  TempConfigHome home;
  const fs::path file = home.dir() / "reduceprice.fg";
  Saver a(file, 300, 'A');
  Saver b(file, 200, 'B');
  // Read until both lists were seen (one writer may keep the lock for a
  // while on a busy machine), for at least a second and a half.
  std::set<char> seen;
  const auto start = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() < start + std::chrono::milliseconds(1500) ||
         (seen.size() < 2 && std::chrono::steady_clock::now() < start + std::chrono::seconds(60))) {
    const std::string bytes = WholeFile(file);  // one open: one file, whatever replaces it meanwhile
    if (bytes.empty()) continue;                // not saved yet
    const char tag = TagOfWholeList(bytes);
    const std::size_t records = tag == 'A' ? 300 : tag == 'B' ? 200 : 0;
    if (records == 0 || bytes.size() != 8 + records * sizeof(ReducePriceItem)) {
      ADD_FAILURE() << "a list of " << bytes.size() << " bytes that is neither writer's";
      break;
    }
    seen.insert(tag);
  }
  a.Kill();
  b.Kill();
  EXPECT_EQ(seen, (std::set<char>{'A', 'B'}));
  for (const std::string& name : FileNames(home.dir()))
    EXPECT_TRUE(name == "reduceprice.fg" || name == "reduceprice.fg.lock" || name == "reduceprice.fg.tmp") << name;
}

}  // namespace
