// The save at the end of the program: the tray program's list reaches the
// file, unless someone saved the file since the list was read, in which case
// the newer file wins, as the reload it announced would have made it win.
#include <functional>

#include "price_watch_worker.h"
#include "tray_test_support.h"

namespace {

using namespace tray_test;

class ExitSaveTest : public ::testing::Test {
 public:
  void SetUp() override {
    manager = SharedManager();
    ASSERT_NE(manager, nullptr);
  }

  // The program's start as far as the list goes: the main thread's manager
  // made (which reads the file), then the worker's reference.
  IReducePriceMgr* StartWith(PriceWatchContext& context, bool workerStarted = true) {
    IReducePriceMgr* main = nullptr;
    EXPECT_TRUE(CreateWatchListManager(context, &main));
    main->Load();  // the shared instance exists already; read the file as its creation would
    main->Release();
    if (workerStarted) {
      EXPECT_NE(EnsureWorkerManager(context), nullptr);
    }
    return main;
  }

  // Removes the item with that address, as a closed pop-up does.
  void RemoveShown(PriceWatchContext& context, const char* name) {
    for (DWORD id : Ids(manager)) {
      if (std::u16string(Listed(manager, id).Url) == RulesUrl(name)) RemoveWatchedItem(context, manager, id);
    }
  }

  IReducePriceMgr* manager = nullptr;
};

TEST_F(ExitSaveTest, SavesOnlyWhenTheFileIsStillTheOneTheListCameFrom) {
  struct Case {
    const char* name;
    bool fileAtStart;
    bool workerStarted;
    std::function<void(ExitSaveTest&, PriceWatchContext&, const TempConfigHome&)> meanwhile;
    bool saved;
    std::vector<std::u16string> fileAfter;  // empty: no file
  };
  const Case cases[] = {
      {"nothing changed on disk", true, true,
       [](ExitSaveTest& t, PriceWatchContext& c, const TempConfigHome&) { t.RemoveShown(c, "a"); }, true,
       RulesUrls({"b"})},
      {"the browser saved meanwhile", true, true,
       [](ExitSaveTest& t, PriceWatchContext& c, const TempConfigHome& home) {
         t.RemoveShown(c, "a");
         SaveListAsAnotherProgram(home.watchList(), RulesItems({"a", "b", "new"}));
       },
       false, RulesUrls({"a", "b", "new"})},
      {"the browser's change is announced but not yet read", true, true,
       [](ExitSaveTest& t, PriceWatchContext& c, const TempConfigHome&) {
         t.RemoveShown(c, "a");
         RequestListReload(c);
       },
       false, RulesUrls({"a", "b"})},
      {"the browser saved and the worker read it", true, true,
       [](ExitSaveTest& t, PriceWatchContext& c, const TempConfigHome& home) {
         SaveListAsAnotherProgram(home.watchList(), RulesItems({"a", "b", "new"}));
         ReloadWatchList(c);
         t.RemoveShown(c, "b");
       },
       true, RulesUrls({"a", "new"})},
      {"the file was touched in place", true, true,
       [](ExitSaveTest& t, PriceWatchContext& c, const TempConfigHome& home) {
         t.RemoveShown(c, "a");
         fs::last_write_time(home.watchList(), fs::last_write_time(home.watchList()) + std::chrono::seconds(1));
       },
       false, RulesUrls({"a", "b"})},
      {"no file then, the browser made one", false, true,
       [](ExitSaveTest& t, PriceWatchContext&, const TempConfigHome& home) {
         SaveListAsAnotherProgram(home.watchList(), RulesItems({"new"}));
       },
       false, RulesUrls({"new"})},
      {"no file then, none now", false, true, [](ExitSaveTest&, PriceWatchContext&, const TempConfigHome&) {}, true,
       {}},
      {"the worker never took its reference", true, false,
       [](ExitSaveTest& t, PriceWatchContext& c, const TempConfigHome&) { t.RemoveShown(c, "a"); }, false,
       RulesUrls({"a", "b"})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempConfigHome home;
    if (c.fileAtStart) SaveListAsAnotherProgram(home.watchList(), RulesItems({"a", "b"}));
    PriceWatchContext context;
    StartWith(context, c.workerStarted);
    c.meanwhile(*this, context, home);
    EXPECT_EQ(SaveWatchList(context), c.saved);
    if (c.fileAfter.empty()) {
      EXPECT_FALSE(fs::exists(home.watchList()));
    } else {
      EXPECT_EQ(UrlsInFile(home.watchList()), c.fileAfter);
    }
  }
}

TEST_F(ExitSaveTest, ItsOwnSaveDoesNotCountAsSomeoneElses) {
  TempConfigHome home;
  SaveListAsAnotherProgram(home.watchList(), RulesItems({"a", "b", "c"}));
  PriceWatchContext context;
  StartWith(context);
  RemoveShown(context, "a");
  EXPECT_TRUE(SaveWatchList(context));
  RemoveShown(context, "b");
  EXPECT_TRUE(SaveWatchList(context));
  EXPECT_EQ(UrlsInFile(home.watchList()), RulesUrls({"c"}));
}

TEST_F(ExitSaveTest, ReleasingTheContextSilencesTheWorkerThenSaves) {
  TempConfigHome home;
  SaveListAsAnotherProgram(home.watchList(), RulesItems({"a", "b"}));
  PriceWatchContext context;
  QueueingCallBack window(context);
  SetEngineCallBack(context, &window);
  StartWith(context);
  RemoveShown(context, "a");
  ReleasePriceWatchContext(context);
  EXPECT_EQ(context.callback, nullptr);
  EXPECT_EQ(UrlsInFile(home.watchList()), RulesUrls({"b"}));

  // A drop the worker hands over afterwards is freed, not delivered.
  const DWORD id = Ids(manager)[0];
  ReducePriceItem* live = nullptr;
  ASSERT_EQ(manager->GetItem(id, &live), S_OK);
  live->CurrentPrice = 0.5;
  EXPECT_TRUE(HandOverPriceDrop(context, manager, id));
  EXPECT_EQ(window.calls, 0);
  EXPECT_EQ(context.notices.Size(), 0u);
  EXPECT_DOUBLE_EQ(Listed(manager, id).BasePrice, 0.5);
  // The worker keeps its reference: the process's end takes it.
  EXPECT_NE(context.manager, nullptr);
}

}  // namespace
