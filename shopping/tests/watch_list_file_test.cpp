// The watch-list file format: what the reader accepts, and a writer that
// replaces the file whole or not at all.
#include "test_support.h"
#include "watch_list_file.h"

namespace {

using namespace shopping_test;

std::vector<ReducePriceItem> Items(int n) {
  std::vector<ReducePriceItem> items;
  for (int i = 0; i < n; ++i) {
    std::u16string url = u"http://item.jd.com/" + std::u16string(1, static_cast<char16_t>(u'0' + i)) + u".html";
    items.push_back(MakeItem(url.c_str(), 10.0 + i));
    items.back().Id = 100 + i;
  }
  return items;
}

TEST(WatchListFile, ReaderTakesExactlyTheWholeRecords) {
  const auto three = Items(3);
  const std::string full = WatchListBytes(1, 3, three);
  struct Case {
    const char* name;
    std::string bytes;
    std::size_t records;
  } cases[] = {
      {"well formed", full, 3},
      {"empty", "", 0},
      {"short header", full.substr(0, 7), 0},
      {"header only", full.substr(0, 8), 0},
      {"version 2", WatchListBytes(2, 3, three), 0},
      {"version 0", WatchListBytes(0, 3, three), 0},
      {"count 0", WatchListBytes(1, 0, three), 0},
      {"negative count", WatchListBytes(1, -1, three), 0},
      {"count larger than the records", WatchListBytes(1, 1000000, three), 3},
      {"last record cut short", full.substr(0, full.size() - 1), 2},
      {"count smaller than the records", WatchListBytes(1, 2, three), 2},
      {"foreign bytes", std::string(20000, '\x7f'), 0},
  };
  for (const Case& c : cases) {
    WatchListRecords records = ReadWatchListBytes(reinterpret_cast<const BYTE*>(c.bytes.data()), c.bytes.size());
    ASSERT_EQ(records.size(), c.records) << c.name;
    DWORD position = 1;
    for (const auto& [key, item] : records) {
      EXPECT_EQ(key, position) << c.name;
      EXPECT_EQ(item.CurrentPrice, 9.0 + position) << c.name;
      ++position;
    }
  }
}

TEST(WatchListFile, ReaderEndsEveryTextField) {
  ReducePriceItem crafted;
  std::memset(&crafted, 'A', sizeof crafted);  // no terminator anywhere
  std::string bytes = WatchListBytes(1, 1, {crafted});
  WatchListRecords records = ReadWatchListBytes(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size());
  ASSERT_EQ(records.size(), 1u);
  const ReducePriceItem& item = records.begin()->second;
  EXPECT_EQ(std::char_traits<char16_t>::length(item.Title), 259u);
  EXPECT_EQ(std::char_traits<char16_t>::length(item.Text2), 259u);
  EXPECT_EQ(std::char_traits<char16_t>::length(item.Url), 2083u);
  EXPECT_EQ(std::char_traits<char16_t>::length(item.SiteName), 49u);
}

TEST(WatchListFile, WriterProducesHeaderAndRecordsInOrder) {
  TempConfigHome home;
  fs::path path = home.dir() / "list.fg";
  auto items = Items(3);
  ASSERT_TRUE(WriteWatchListFile(path.u16string(), items));
  std::string bytes = ReadBytes(path);
  EXPECT_EQ(bytes, WatchListBytes(1, 3, items));
  // Nothing is left beside it but the writers' lock file.
  EXPECT_EQ(FileNames(home.dir()), (std::set<std::string>{"list.fg", "list.fg.lock"}));
  WatchListRecords back = ReadWatchListFile(path.u16string());
  ASSERT_EQ(back.size(), 3u);
  EXPECT_EQ(back.at(1).Id, 100u);
  EXPECT_EQ(back.at(3).Id, 102u);
}

TEST(WatchListFile, FailedOrShortWritesLeaveThePreviousFile) {
  TempConfigHome home;
  fs::path path = home.dir() / "list.fg";
  WriteBytes(path, "previous");
  // A directory where the writer's new file would go.
  fs::create_directory(path.string() + ".tmp");
  EXPECT_FALSE(WriteWatchListFile(path.u16string(), Items(2)));
  EXPECT_EQ(ReadBytes(path), "previous");
  EXPECT_FALSE(WriteWatchListFile(u"", Items(1)));
  EXPECT_FALSE(WriteWatchListFile((home.dir() / "missing" / "list.fg").u16string(), Items(1)));
  fs::remove(path.string() + ".tmp");

  // Files may not grow past 12 kB: the third record cannot be written whole.
  FileSizeLimit limit(12000);
  EXPECT_FALSE(WriteWatchListFile(path.u16string(), Items(3)));
  EXPECT_EQ(ReadBytes(path), "previous");
  EXPECT_EQ(FileNames(home.dir()), (std::set<std::string>{"list.fg", "list.fg.lock"}));
  EXPECT_TRUE(WriteWatchListFile(path.u16string(), Items(2)));  // 10,760 bytes fit
  EXPECT_EQ(ReadBytes(path).size(), 8 + 2 * sizeof(ReducePriceItem));
}

TEST(WatchListFile, DeletingTakesTheWritersLock) {
  TempConfigHome home;
  fs::path path = home.dir() / "list.fg";
  ASSERT_TRUE(WriteWatchListFile(path.u16string(), Items(1)));
  EXPECT_TRUE(DeleteWatchListFile(path.u16string()));
  EXPECT_FALSE(fs::exists(path));
  EXPECT_FALSE(DeleteWatchListFile(path.u16string()));
  EXPECT_FALSE(DeleteWatchListFile(u""));
}

TEST(WatchListFile, ReaderOfMissingOrUnreadableFiles) {
  TempConfigHome home;
  EXPECT_TRUE(ReadWatchListFile(u"").empty());
  EXPECT_TRUE(ReadWatchListFile((home.dir() / "none.fg").u16string()).empty());
  EXPECT_TRUE(ReadWatchListFile(home.dir().u16string()).empty());  // a folder
}

}  // namespace
