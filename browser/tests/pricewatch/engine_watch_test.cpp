// What the price watch's windows change in the watch list through the
// engine: every change re-reads the file, applies itself to what it read,
// and saves only when it changed something; a tray program is told of every
// save. Against the deployed watch list in a private folder.
#include <time.h>

#include "child_process.h"
#include "engine_test_support.h"
#include "shopping/reduce_price_mgr.h"
#include "vxshared/watch_date.h"
#include "wait_until.h"

namespace engine_test {
namespace {

const std::u16string kPhone = u"http://rules.localhost/phone";
const std::u16string kBook = u"http://rules.localhost/book";
const std::u16string kLamp = u"http://rules.localhost/lamp";

class EngineWatch : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    StartEngine(false);
  }
  bool Add(const std::u16string& url, double current, double wished) {
    ReducePriceItem record = MakeItem(url, current);
    return engine->AddWatch(wished, &record);
  }
};

TEST_F(EngineWatch, AddingKeepsWhatAnotherProgramSavedAndReplacesTheSameAddress) {
  ASSERT_TRUE(Add(kPhone, 99.0, 88.0));
  // Another program adds an item after this one read the list.
  WatchInFile({MakeItem(kBook, 30.0, 30.0)});
  ASSERT_TRUE(Add(kLamp, 50.0, 45.0));
  EXPECT_EQ(UrlsInFile(home.watchList()), (std::vector<std::string>{"http://rules.localhost/phone",
                                                                       "http://rules.localhost/book",
                                                                       "http://rules.localhost/lamp"}));
  // The same address in other letters replaces the item, at the new price.
  ASSERT_TRUE(Add(u"HTTP://RULES.LOCALHOST/PHONE", 95.0, 90.0));
  const std::vector<ReducePriceItem> items = ItemsInFile(home.watchList());
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(Narrow(items[2].Url), "HTTP://RULES.LOCALHOST/PHONE");
  EXPECT_EQ(items[2].BasePrice, 90.0);
  EXPECT_EQ(items[2].PreviousPrice, 95.0);
  EXPECT_EQ(items[2].CurrentPrice, 95.0);
  EXPECT_EQ(engine->GetWatchCount(), 3u);
}

TEST_F(EngineWatch, RemovingTakesEveryItemOfTheAddressAndSavesOnlyWhenOneWasThere) {
  WatchInFile({MakeItem(kPhone, 99.0, 88.0), MakeItem(kBook, 30.0, 30.0),
               MakeItem(u"http://RULES.localhost/Phone", 98.0, 80.0)});
  const std::string before = ReadBytes(home.watchList());
  EXPECT_FALSE(engine->RemoveWatch(kLamp.c_str()));
  EXPECT_EQ(ReadBytes(home.watchList()), before) << "nothing to remove, nothing saved";
  EXPECT_FALSE(engine->RemoveWatch(nullptr));

  EXPECT_TRUE(engine->RemoveWatch(kPhone.c_str()));
  EXPECT_EQ(UrlsInFile(home.watchList()), std::vector<std::string>{"http://rules.localhost/book"});
  EXPECT_TRUE(engine->RemoveWatch(kBook.c_str()));
  EXPECT_FALSE(std::filesystem::exists(home.watchList())) << "an empty list has no file";
}

TEST_F(EngineWatch, TheListIsReadAgainAndHandedOutAsCopiesOldestFirst) {
  ASSERT_TRUE(Add(kPhone, 99.0, 88.0));
  WatchInFile({MakeItem(kBook, 30.0, 30.0)});
  std::vector<ReducePriceItem> rows = {MakeItem(kLamp, 1.0)};
  engine->LoadWatchList(&rows);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].Url, kPhone);
  EXPECT_EQ(rows[1].Url, kBook);
  EXPECT_LT(rows[0].Id, rows[1].Id);
  // A copy: changing it changes nothing of the list.
  rows[0].BasePrice = 1.0;
  ReducePriceItem listed;
  ASSERT_TRUE(engine->CopyWatchItem(rows[0].Id, &listed));
  EXPECT_EQ(listed.BasePrice, 88.0);
  EXPECT_FALSE(engine->CopyWatchItem(rows[1].Id + 1000, &listed));
}

TEST_F(EngineWatch, ThePopUpMovesTheThresholdOfEveryItemOfTheAddressAboveTheShownPrice) {
  ReducePriceItem above = MakeItem(kPhone, 120.0, 100.0);
  ReducePriceItem below = MakeItem(u"http://RULES.localhost/phone", 70.0, 60.0);
  ReducePriceItem other = MakeItem(kBook, 120.0, 100.0);
  WatchInFile({above, below, other});
  struct Case {
    const char* name;
    std::u16string url;
    double shown;
    bool saved;
    std::vector<double> bases, currents, previous;
  };
  const Case cases[] = {
      {"not below any threshold", kPhone, 100.0, false, {100.0, 60.0, 100.0}, {120.0, 70.0, 120.0}, {120.0, 70.0, 120.0}},
      {"below the first only", kPhone, 80.5, true, {80.5, 60.0, 100.0}, {80.5, 70.0, 120.0}, {80.5, 70.0, 120.0}},
      {"an address not watched", kLamp, 1.0, false, {80.5, 60.0, 100.0}, {80.5, 70.0, 120.0}, {80.5, 70.0, 120.0}},
      {"below both", u"HTTP://rules.localhost/PHONE", 50.0, true, {50.0, 50.0, 100.0}, {50.0, 50.0, 120.0},
       {50.0, 50.0, 120.0}},
  };
  for (const Case& c : cases) {
    const std::string before = ReadBytes(home.watchList());
    EXPECT_EQ(engine->MovePriceDropThreshold(c.url.c_str(), c.shown), c.saved) << c.name;
    if (!c.saved) {
      EXPECT_EQ(ReadBytes(home.watchList()), before) << c.name;
    }
    const std::vector<ReducePriceItem> items = ItemsInFile(home.watchList());
    ASSERT_EQ(items.size(), 3u) << c.name;
    for (size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(items[i].BasePrice, c.bases[i]) << c.name << " item " << i;
      EXPECT_EQ(items[i].CurrentPrice, c.currents[i]) << c.name << " item " << i;
      EXPECT_EQ(items[i].PreviousPrice, c.previous[i]) << c.name << " item " << i;
    }
  }
}

TEST_F(EngineWatch, ANewWatchIsStampedWithTheLocalWallClockTime) {
  const char* zone = getenv("TZ");
  const std::string saved = zone ? zone : "";
  setenv("TZ", "Asia/Shanghai", 1);
  tzset();
  clock.Set(1796846400);  // 2026-12-09 20:00:00 UTC, 04:00 the next day in Shanghai
  ReducePriceItem record = MakeItem(kPhone, 99.0);
  ASSERT_TRUE(engine->AddWatch(88.0, &record));
  if (zone) setenv("TZ", saved.c_str(), 1); else unsetenv("TZ");
  tzset();

  WCHAR date[80] = {};
  ASSERT_EQ(FormatWatchDate(date, record.AddedTime), 1);
  EXPECT_EQ(std::u16string(date), u"2026-12-10");
  const std::vector<ReducePriceItem> items = ItemsInFile(home.watchList());
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].AddedTime.dwLowDateTime, record.AddedTime.dwLowDateTime);
  EXPECT_EQ(items[0].AddedTime.dwHighDateTime, record.AddedTime.dwHighDateTime);
  SYSTEMTIME local{};
  ASSERT_TRUE(FileTimeToSystemTime(&record.AddedTime, &local));
  EXPECT_EQ(local.wHour, 4);
}

TEST_F(EngineWatch, TheTrayProgramIsToldOfEverySaveAndOfNothingElse) {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry; ++entry) environment.push_back(*entry);
  const std::string log = (home.dir() / "tray_peer").string();
  auto peer = quorla_desktop::ChildProcess::Launch(
      {{std::string(QUORLA_ENGINE_TEST_DIR) + "/tray_peer", "--no-mutex"}, environment, "", log, {}});
  ASSERT_NE(peer, nullptr);
  auto lines = [&] {
    std::vector<std::string> out;
    std::istringstream in(peer->Output());
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
  };
  ASSERT_TRUE(quorla_desktop::WaitUntil([&] { return !lines().empty(); }, 20s));

  ASSERT_TRUE(Add(kPhone, 99.0, 88.0));
  EXPECT_FALSE(engine->RemoveWatch(kBook.c_str()));
  EXPECT_FALSE(engine->MovePriceDropThreshold(kPhone.c_str(), 90.0));
  EXPECT_TRUE(engine->MovePriceDropThreshold(kPhone.c_str(), 80.0));
  EXPECT_TRUE(engine->RemoveWatch(kPhone.c_str()));
  const std::vector<std::string> expected = {"ready", "watchlist", "watchlist", "watchlist"};
  EXPECT_TRUE(quorla_desktop::WaitUntil([&] { return lines().size() >= expected.size(); }, 20s));
  std::this_thread::sleep_for(300ms);  // nothing more comes
  EXPECT_EQ(lines(), expected);
}

}  // namespace
}  // namespace engine_test
