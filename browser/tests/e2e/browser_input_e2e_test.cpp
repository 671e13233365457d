// Input over web pages. Clicks, keys and the wheel over a page go through
// the program's message loop and are then handed to the page: a click on a
// target=_blank link and one on a button that opens a window in its click
// handler each become the selected tab, while a new window whose address
// the URL filter lists leaves neither a tab nor a request; a right click
// opens no menu; text typed into a page's field and the Enter that sends
// its form reach the page; the wheel scrolls a long page and ends over a
// short one; the site chooser shows over a loaded page and takes a click on
// its third entry there.
#include <filesystem>
#include <fstream>

#include "browser_e2e_support.h"

namespace browser_e2e {
namespace {

constexpr unsigned kChooserFrame = 0xD2BFB8;
constexpr int kThirdEntryY = ChooserEntryY(2) + 6;  // inside the page's rows
constexpr unsigned kPageGreen = 0x00FF00;

// Blocks of the page, one above the other from its top, each 100 pixels high.
std::string Block(const std::string& element, const std::string& attributes, const std::string& text) {
  return "<" + element + " " + attributes +
         " style='display:block;width:100%;height:100px;margin:0;border:0;background:#cde'>" + text + "</" + element +
         ">";
}
int BlockY(int index) { return kPageTop + index * 100 + 50; }

class BrowserInput : public BrowserTest {
 protected:
  void SetUp() override {
    pages.ServeBody("/opener",
                    Page("opener", Block("a", "href='/blank-target' target='_blank'", "new window link") +
                                       Block("button", "onclick=\"window.open('/scripted')\"", "scripted") +
                                       Block("button", "onclick=\"window.open('/refused-popup')\"", "refused")));
    pages.ServeBody("/blank-target", Page("blank target"));
    pages.ServeBody("/scripted", Page("scripted window"));
    pages.ServeBody("/refused-popup", Page("refused window"));
    pages.ServeBody("/form", Page("form", "<form action='/sent'><input name='q' style='display:block;width:600px;"
                                          "height:80px;font-size:40px'></form>"));
    pages.ServeBody("/sent", Page("sent"));
    pages.ServeBody("/short", Page("short", Block("a", "href='/after-wheel'", "short page")));
    pages.ServeBody("/after-wheel", Page("after wheel", Block("a", "href='/long'", "to the long page")));
    pages.ServeBody("/long", Page("top", "<script>window.onscroll = function () {"
                                         " document.title = window.scrollY > 0 ? 'scrolled' : 'top'; };</script>",
                                  "height:6000px;background:#eee"));
    pages.ServeBody("/green", Page("green", "", "height:2000px;background:#00ff00"));
    ASSERT_NO_FATAL_FAILURE(StartDesktop());
    // The URL filter from the program's current folder.
    workFolder = desktop.folder() + "/work";
    std::filesystem::create_directories(workFolder);
    std::ofstream(workFolder + "/iefilter.txt") << "refused-popup\n";
  }
  void Open(const std::string& path, const std::string& title) {
    ASSERT_NO_FATAL_FAILURE(StartBrowser(pages.Url(path), BrowserPath(), workFolder));
    ASSERT_NO_FATAL_FAILURE(Loaded(title));
  }
  // The tab row's pixels, to tell whether a tab came or went.
  std::vector<unsigned> TabRow() {
    std::vector<unsigned> row;
    auto screen = Capture();
    if (!screen) return row;
    for (int y = kTabRowTop + 4; y < kPageTop - 2; y += 3)
      for (int x = 0; x < kScreenWidth; ++x) row.push_back(screen->Pixel(x, y));
    return row;
  }

  std::string workFolder;
};

TEST_F(BrowserInput, ClickedNewWindowsBecomeSelectedTabsAndAFilteredOneLeavesNothing) {
  ASSERT_NO_FATAL_FAILURE(Open("/opener", "opener"));
  const auto oneTab = TabRow();

  // The filtered window: no request, no tab, the opener still shown.
  desktop.Click(300, BlockY(2));
  std::this_thread::sleep_for(3s);
  EXPECT_EQ(Requests(pages, "/refused-popup"), 0) << Seen(pages);
  EXPECT_TRUE(CaptionShows("opener", 1s)) << Caption();
  EXPECT_EQ(TabRow(), oneTab) << "the tab row changed";

  desktop.Click(300, BlockY(0));
  EXPECT_TRUE(Requested(pages, "/blank-target")) << Seen(pages);
  EXPECT_TRUE(CaptionShows("blank target")) << "a target=_blank link's page is the selected tab; " << Caption();

  // Back on the opener's tab (the first), its button's window.open.
  desktop.Click(TabX(0, 2), kTabY);
  ASSERT_TRUE(CaptionShows("opener")) << Caption();
  std::this_thread::sleep_for(1s);
  desktop.Click(300, BlockY(1));
  EXPECT_TRUE(Requested(pages, "/scripted")) << Seen(pages);
  EXPECT_TRUE(CaptionShows("scripted window")) << "a script's window from a click is the selected tab; " << Caption();
  std::this_thread::sleep_for(1500ms);
  Shot("browser_popup_tabs.png");
  EXPECT_EQ(Requests(pages, "/refused-popup"), 0);
  EXPECT_TRUE(browser->Running());
}

TEST_F(BrowserInput, TextTypedIntoAPageFieldAndItsEnterReachThePage) {
  ASSERT_NO_FATAL_FAILURE(Open("/form", "form"));
  // A right click in the page opens no menu of the toolkit's (it would run
  // a loop of its own): no new window on the screen.
  const size_t windows = desktop.WindowsOfProcess(browser->pid()).size();
  desktop.Click(300, kPageTop + 300, 3);
  std::this_thread::sleep_for(1s);
  EXPECT_EQ(desktop.WindowsOfProcess(browser->pid()).size(), windows) << "a menu opened";
  desktop.Key("Escape");
  desktop.Click(300, kPageTop + 40);
  std::this_thread::sleep_for(500ms);
  desktop.Tool({"xdotool", "type", "--delay", "60", "abc"});
  std::this_thread::sleep_for(300ms);
  Shot("browser_page_field_typed.png");
  desktop.Key("Return");
  EXPECT_TRUE(Requested(pages, "/sent", 1, "q=abc")) << Seen(pages);
  EXPECT_TRUE(CaptionShows("sent")) << Caption();
}

TEST_F(BrowserInput, TheWheelScrollsALongPageAndEndsOverAShortOne) {
  ASSERT_NO_FATAL_FAILURE(Open("/short", "short"));
  // Nothing to scroll: the engine hands each turn back unused, which must
  // not come round again as a new turn.
  for (int i = 0; i < 5; ++i) desktop.Click(300, BlockY(2), 5, 10ms);
  std::this_thread::sleep_for(1s);
  ASSERT_TRUE(browser->Running()) << browser->Errors();
  desktop.Click(300, BlockY(0));
  EXPECT_TRUE(Requested(pages, "/after-wheel", 1, "", 15s)) << "the program still takes clicks; " << Seen(pages);

  // A long page scrolls.
  ASSERT_NO_FATAL_FAILURE(Loaded("after wheel"));
  desktop.Click(300, BlockY(0));
  ASSERT_NO_FATAL_FAILURE(Loaded("top"));
  for (int i = 0; i < 3; ++i) desktop.Click(500, BlockY(3), 5, 10ms);
  EXPECT_TRUE(CaptionShows("scrolled", 15s)) << Caption();
}

TEST_F(BrowserInput, TheSiteChooserShowsOverALoadedPageAndTakesAClickOnItsThirdEntry) {
  ASSERT_NO_FATAL_FAILURE(Open("/green", "green"));
  {
    auto before = Capture();
    ASSERT_TRUE(before);
    ASSERT_EQ(before->Pixel(kChooserX + 40, kThirdEntryY), kPageGreen) << "the page lies where the chooser opens";
  }
  desktop.Click(kSiteIconX, kRowY);
  std::optional<ScreenImage> open;
  ASSERT_TRUE(WaitUntil([&] {
    open = Capture("browser_chooser_over_page.png");
    return open && open->Pixel(kChooserX, kChooserTop + 10) == kChooserFrame;
  }, 10s)) << "the chooser did not open";
  // Its frame and its third entry over the page, not the page over them.
  const int bottom = kChooserTop + kChooserHeight - 1;
  EXPECT_EQ(open->Pixel(kChooserX, kThirdEntryY), kChooserFrame);
  EXPECT_EQ(open->Pixel(kChooserX + kChooserWidth - 1, kThirdEntryY), kChooserFrame);
  EXPECT_EQ(open->Pixel(kChooserX + 40, bottom), kChooserFrame);
  int green = 0;
  for (int y = kPageTop; y < bottom; ++y)
    for (int x = kChooserX; x < kChooserX + kChooserWidth; ++x) green += open->Pixel(x, y) == kPageGreen;
  EXPECT_EQ(green, 0) << "page pixels inside the chooser";
  // Beside the chooser the page still shows.
  EXPECT_EQ(open->Pixel(kChooserX - 20, kThirdEntryY), kPageGreen);

  // Its third entry, where the page lies under it: the search goes to that shop.
  desktop.Click(kChooserX + 40, kThirdEntryY);
  std::this_thread::sleep_for(500ms);
  auto closed = Capture();
  ASSERT_TRUE(closed);
  EXPECT_EQ(closed->Pixel(kChooserX + 40, kThirdEntryY), kPageGreen) << "the chooser closed";
  desktop.Click(kSearchBoxX, kRowY);
  desktop.Key("ctrl+a");
  desktop.Tool({"xdotool", "type", "--delay", "40", "ab"});
  desktop.Key("Return");
  EXPECT_TRUE(Requested(proxy, "http://search.dangdang.com/search.php")) << Seen(proxy);
}

}  // namespace
}  // namespace browser_e2e
