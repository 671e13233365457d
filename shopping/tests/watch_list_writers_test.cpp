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

// The tag of a whole list file of count records, all titled alike; 0 when
// the file is not such a list.
char TagOfWholeList(const fs::path& file, std::size_t count) {
  WatchListRecords records = ReadWatchListFile(file.u16string());
  if (records.size() != count || fs::file_size(file) != 8 + count * sizeof(ReducePriceItem)) return 0;
  const char16_t tag = records.begin()->second.Title[0];
  for (const auto& [position, item] : records) {
    if (std::u16string(item.Title) != std::u16string(20, tag)) return 0;
  }
  return static_cast<char>(tag);
}

TEST(WatchListWriters, WritersKilledHalfWayLeaveOneTemporaryFileAtMost) {
  TempConfigHome home;
  const fs::path file = home.dir() / "reduceprice.fg";
  constexpr int kRecords = 1500;  // about 8 MB: a save takes a while
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
      EXPECT_EQ(TagOfWholeList(file, kRecords), 'A') << "round " << round;
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
  std::set<char> seen;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
  int reads = 0;
  while (std::chrono::steady_clock::now() < end) {
    if (!fs::exists(file)) continue;
    const std::size_t size = fs::file_size(file);
    const std::size_t count = (size - 8) / sizeof(ReducePriceItem);
    const char tag = TagOfWholeList(file, count);
    // The file may have been replaced between the size and the read: look
    // again before calling it mixed.
    if (tag == 0 && fs::file_size(file) == size) {
      ADD_FAILURE() << "a list of " << count << " records that is neither writer's";
      break;
    }
    if (tag) seen.insert(tag);
    ++reads;
  }
  a.Kill();
  b.Kill();
  EXPECT_GT(reads, 10);
  EXPECT_EQ(seen, (std::set<char>{'A', 'B'}));
  for (const std::string& name : FileNames(home.dir()))
    EXPECT_TRUE(name == "reduceprice.fg" || name == "reduceprice.fg.lock" || name == "reduceprice.fg.tmp") << name;
}

}  // namespace
