// The watch list through its interface: numbering, lookups, and the file.
#include <atomic>
#include <thread>

#include "reduce_price_mgr.h"
#include "shopping/reduce_price_mgr.h"
#include "test_support.h"

namespace {

using namespace shopping_test;
using S_COM::ComPtr;

ComPtr<IReducePriceMgr> NewManager() {
  IReducePriceMgr* manager = nullptr;
  EXPECT_EQ(S_COM::CSAggregateObject<CReducePriceMgr>::CreateInstance(nullptr, IID_IReducePriceMgr,
                                                                      reinterpret_cast<void**>(&manager)),
            S_OK);
  return ComPtr<IReducePriceMgr>(manager);
}

std::vector<DWORD> Ids(IReducePriceMgr* manager, DWORD max = 100) {
  std::vector<DWORD> ids(max);
  DWORD got = 0;
  EXPECT_EQ(manager->GetIds(ids.data(), max, &got), S_OK);
  ids.resize(got);
  return ids;
}

DWORD Add(IReducePriceMgr* manager, const char16_t* url, double price = 1.0) {
  ReducePriceItem item = MakeItem(url, price);
  return manager->AddItem(&item);
}

class WatchList : public ::testing::Test {
 protected:
  TempConfigHome home;
};

TEST_F(WatchList, WithoutAReadableFileTheListIsEmptyAndSavingItDeletesTheFile) {
  for (bool foreignVersion : {false, true}) {
    if (foreignVersion) WriteBytes(home.watchList(), WatchListBytes(2, 1, {MakeItem(u"http://a.com/")}));
    auto manager = NewManager();
    EXPECT_EQ(manager->GetCount(), 0u) << foreignVersion;
    WriteBytes(home.watchList(), "stale");
    EXPECT_EQ(manager->Save(), S_OK);
    EXPECT_FALSE(fs::exists(home.watchList())) << foreignVersion;
  }
}

TEST_F(WatchList, AddingNumbersItemsAndOverwritesTheCallersId) {
  auto manager = NewManager();
  ReducePriceItem item = MakeItem(u"http://item.jd.com/1.html", 99.5);
  item.Id = 7;
  DWORD first = manager->AddItem(&item);
  EXPECT_EQ(first, 1u);
  EXPECT_EQ(item.Id, 1u);
  EXPECT_EQ(manager->AddItem(&item), 2u);  // no test for an address already watched
  EXPECT_EQ(manager->AddItem(nullptr), 0u);
  EXPECT_EQ(manager->GetCount(), 2u);
  ReducePriceItem* stored = nullptr;
  ASSERT_EQ(manager->GetItem(1, &stored), S_OK);
  EXPECT_EQ(stored->Id, 1u);
  EXPECT_EQ(stored->CurrentPrice, 99.5);
  EXPECT_NE(stored, &item);
}

TEST_F(WatchList, LookupsAndThresholds) {
  auto manager = NewManager();
  for (int i = 0; i < 5; ++i) Add(manager.Get(), (u"http://Item.JD.com/" + std::u16string(1, static_cast<char16_t>(u'a' + i))).c_str());
  EXPECT_EQ(Ids(manager.Get(), 2), (std::vector<DWORD>{1, 2}));
  DWORD got = 99;
  DWORD ids[1];
  EXPECT_EQ(manager->GetIds(ids, 0, &got), S_OK);
  EXPECT_EQ(got, 0u);
  EXPECT_EQ(manager->GetIds(nullptr, 5, &got), E_FAIL);
  EXPECT_EQ(manager->GetIds(ids, 1, nullptr), S_OK);

  EXPECT_EQ(manager->FindUrl(u"HTTP://item.jd.com/C"), S_OK);
  EXPECT_EQ(manager->FindUrl(u"http://item.jd.com/z"), E_FAIL);
  EXPECT_EQ(manager->FindUrl(nullptr), E_FAIL);

  ReducePriceItem* item = nullptr;
  ASSERT_EQ(manager->GetItem(3, &item), S_OK);
  item->CurrentPrice = 99.5;
  EXPECT_EQ(manager->SetBasePrice(3, 80.0), S_OK);
  EXPECT_EQ(item->BasePrice, 80.0);
  EXPECT_EQ(item->PreviousPrice, 99.5);
  EXPECT_EQ(manager->SetBasePrice(42, 1.0), E_FAIL);

  ReducePriceItem* untouched = reinterpret_cast<ReducePriceItem*>(0x1);
  EXPECT_EQ(manager->GetItem(42, &untouched), E_FAIL);
  EXPECT_EQ(untouched, reinterpret_cast<ReducePriceItem*>(0x1));
  EXPECT_EQ(manager->GetItem(1, nullptr), E_FAIL);

  EXPECT_EQ(manager->RemoveItem(3), S_OK);
  EXPECT_EQ(manager->RemoveItem(3), S_OK);
  EXPECT_EQ(Ids(manager.Get()), (std::vector<DWORD>{1, 2, 4, 5}));
}

TEST_F(WatchList, RecordsStayPutWhileOthersAreAdded) {
  auto manager = NewManager();
  DWORD id = Add(manager.Get(), u"http://a.com/kept", 5.0);
  ReducePriceItem* kept = nullptr;
  ASSERT_EQ(manager->GetItem(id, &kept), S_OK);
  for (int i = 0; i < 2000; ++i) Add(manager.Get(), u"http://a.com/other");
  ReducePriceItem* again = nullptr;
  ASSERT_EQ(manager->GetItem(id, &again), S_OK);
  EXPECT_EQ(again, kept);
  EXPECT_EQ(std::u16string(kept->Url), u"http://a.com/kept");
}

TEST_F(WatchList, SavedFileHoldsTheWritersIdsInOrderAndLoadingRenumbers) {
  {
    auto manager = NewManager();
    for (int i = 1; i <= 9; ++i) Add(manager.Get(), u"http://a.com/", i);
    for (DWORD id : {1u, 3u, 4u, 6u, 7u, 8u}) manager->RemoveItem(id);
    ASSERT_EQ(manager->Save(), S_OK);
  }
  std::string bytes = ReadBytes(home.watchList());
  ASSERT_EQ(bytes.size(), 8 + 3 * sizeof(ReducePriceItem));
  std::int32_t header[2];
  std::memcpy(header, bytes.data(), 8);
  EXPECT_EQ(header[0], 1);
  EXPECT_EQ(header[1], 3);
  std::vector<DWORD> written;
  for (int i = 0; i < 3; ++i) {
    DWORD id;
    std::memcpy(&id, bytes.data() + 8 + i * sizeof(ReducePriceItem) + 4, 4);
    written.push_back(id);
  }
  EXPECT_EQ(written, (std::vector<DWORD>{2, 5, 9}));

  auto reader = NewManager();  // a new process would start its counter at 0 too
  EXPECT_EQ(Ids(reader.Get()), (std::vector<DWORD>{1, 2, 3}));
  ReducePriceItem* item = nullptr;
  ASSERT_EQ(reader->GetItem(3, &item), S_OK);
  EXPECT_EQ(item->CurrentPrice, 9.0);
  EXPECT_EQ(item->Id, 3u);
  // Loading again continues the counter, so no old identifier finds anything.
  EXPECT_EQ(reader->Load(), S_OK);
  EXPECT_EQ(Ids(reader.Get()), (std::vector<DWORD>{4, 5, 6}));
}

TEST_F(WatchList, LyingCountLoadsTheWholeRecords) {
  std::string bytes = WatchListBytes(1, 500, {MakeItem(u"http://a.com/1"), MakeItem(u"http://a.com/2")});
  bytes += std::string(100, 'x');  // part of a third record
  WriteBytes(home.watchList(), bytes);
  auto manager = NewManager();
  EXPECT_EQ(Ids(manager.Get()), (std::vector<DWORD>{1, 2}));
}

TEST_F(WatchList, FailedSaveReportsAndKeepsThePreviousFile) {
  auto manager = NewManager();
  Add(manager.Get(), u"http://a.com/1");
  ASSERT_EQ(manager->Save(), S_OK);
  std::string previous = ReadBytes(home.watchList());
  for (int i = 0; i < 5; ++i) Add(manager.Get(), u"http://a.com/more");
  FileSizeLimit limit(20000);  // the new list needs 32 kB
  EXPECT_EQ(manager->Save(), E_FAIL);
  EXPECT_EQ(ReadBytes(home.watchList()), previous);
  EXPECT_EQ(manager->GetCount(), 6u);  // the list in memory is unchanged
}

TEST_F(WatchList, SaveWithoutAFolderFails) {
  auto manager = NewManager();
  Add(manager.Get(), u"http://a.com/1");
  // The application-data folder cannot be made under a file.
  WriteBytes(home.dir() / "file", "x");
  setenv("XDG_CONFIG_HOME", (home.dir() / "file" / "config").c_str(), 1);
  EXPECT_EQ(manager->Save(), E_FAIL);
  EXPECT_EQ(manager->Load(), S_OK);
  EXPECT_EQ(manager->GetCount(), 0u);
}

TEST_F(WatchList, DestructionSavesTheList) {
  {
    auto manager = NewManager();
    Add(manager.Get(), u"http://a.com/1");
  }
  EXPECT_EQ(ReadBytes(home.watchList()).size(), 8 + sizeof(ReducePriceItem));
}

// This program has no download library beside it: a check cannot start.
TEST_F(WatchList, ACheckWithoutItsDownloaderFails) {
  auto manager = NewManager();
  Add(manager.Get(), u"http://a.com/1", 1.0);
  IBinaryBuffer* dropped = nullptr;
  EXPECT_EQ(manager->CheckPrices(&dropped), E_FAIL);
  EXPECT_EQ(dropped, nullptr);
  EXPECT_EQ(manager->CheckPrices(nullptr), E_FAIL);
}

// One thread changes the list and saves while another reads and sets
// thresholds, through the interface only.
TEST_F(WatchList, ConcurrentChangesAndReads) {
  auto manager = NewManager();
  for (int i = 0; i < 50; ++i) Add(manager.Get(), u"http://a.com/seed", i);
  std::atomic<bool> done{false};
  std::atomic<int> badReads{0};
  std::thread writer([&] {
    for (int round = 0; round < 300; ++round) {
      DWORD id = Add(manager.Get(), u"http://a.com/new", round);
      if (round % 3 == 0 && id > 70) manager->RemoveItem(id - 20);  // never a seed
      if (round % 50 == 0) {
        EXPECT_EQ(manager->Save(), S_OK);
      }
    }
    done = true;
  });
  std::thread reader([&] {
    std::vector<DWORD> ids(1000);
    while (!done) {
      DWORD got = 0;
      manager->GetIds(ids.data(), static_cast<DWORD>(ids.size()), &got);
      for (DWORD i = 1; i < got; ++i) {
        if (ids[i] <= ids[i - 1]) ++badReads;
      }
      if (got > 0) manager->SetBasePrice(ids[got / 2], 3.0);
      manager->FindUrl(u"http://A.com/NEW");
      DWORD seed = 1 + got % 50;
      ReducePriceItem* item = nullptr;
      if (manager->GetItem(seed, &item) != S_OK || std::u16string(item->Url) != u"http://a.com/seed") ++badReads;
      if (manager->GetCount() > 1000) ++badReads;
    }
  });
  writer.join();
  reader.join();
  EXPECT_EQ(badReads.load(), 0);
  EXPECT_EQ(manager->Save(), S_OK);
  auto reloaded = NewManager();
  EXPECT_EQ(reloaded->GetCount(), manager->GetCount());
}

}  // namespace
