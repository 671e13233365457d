// The browser's price watch: a copy of the program whose site table knows
// the local shop on 127.0.0.1 (registered domain "0.1") and beside which no
// tray program lies, so the browser runs its own checks. A hidden window of
// the tray program's class (without its mutex) writes down what the browser
// tells it. A product page shows the offer bar over the page; a wished
// price watches the product; a lowered price brings up the pop-up; "/price"
// opens the watch list; the settings dialog writes the settings and the
// autostart entry; the bar, the pop-up and the dialog are dragged by any
// free point.
#include <atomic>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "browser_e2e_support.h"
#include "shopping/reduce_price_item.h"
#include "win/time.h"

namespace browser_e2e {
namespace {

namespace fs = std::filesystem;

// The offer bar lies at (2, H - 67) of the main window, 40 high; its logo at
// (14, 10) of it, 72 x 19; its price box at (108, 15), 141 x 12; 确定 at
// (258, 7), 86 x 26.
constexpr int kBarLeft = 2;
constexpr int kBarFromBottom = 67;

constexpr char kShopRules[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<DomainList>
  <Domain name="本地商城" url="0.1" type="0">
    <PricePathList>
      <Path>$$tag=span,id=price$$</Path>
    </PricePathList>
  </Domain>
</DomainList>
)";

// Blue pages, which never show the bar's orange.
std::string BluePage(const std::string& title, const std::string& body) {
  return Page(title, body, "background:#2040c0;height:2000px");
}

void CopyText(WCHAR* to, size_t size, const std::u16string& from) {
  size_t i = 0;
  for (; i < from.size() && i + 1 < size; ++i) to[i] = from[i];
  to[i] = 0;
}

bool Orange(std::uint32_t pixel) {
  const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
  return r > 220 && g > 70 && g < 170 && b < 90;
}
bool White(std::uint32_t pixel) {
  return ((pixel >> 16) & 0xFF) > 230 && ((pixel >> 8) & 0xFF) > 230 && (pixel & 0xFF) > 230;
}

class BrowserPriceWatch : public BrowserTest {
 protected:
  void SetUp() override {
    pages.Route("/item", [this](const HttpRequest&, HttpResponder& out) {
      out.Respond(200, BluePage("测试商品", "<p>一件商品</p><span id='price'>" + std::to_string(price.load()) + ".00</span>"));
    });
    pages.ServeBody("/plain", BluePage("plain", "<p>nothing to buy</p>"));
    ASSERT_NO_FATAL_FAILURE(StartDesktop());
    // The program beside its libraries and its site table, no tray program.
    program = desktop.folder() + "/program";
    fs::create_directories(program + "/config");
    for (const char* file : {"VXBrowser", "Gravik.dll", "Pelmor.dll", "Vendrix.dll", "dbghelp.dll"})
      fs::copy_file(std::string(QUORLA_BIN_DIR) + "/" + file, program + "/" + file);
    std::ofstream(program + "/config/domainList.xml", std::ios::binary) << kShopRules;
    fs::create_directories(Settings());
  }

  std::string Settings() const { return desktop.configHome() + "/vxbrowser"; }
  std::string WatchFile() const { return Settings() + "/reduceprice.fg"; }
  std::string ItemUrl() { return pages.Url("/item"); }

  void WriteSettings(const std::string& text) { std::ofstream(Settings() + "/config.ini", std::ios::binary) << text; }

  // The watch-list file's records, in file order.
  std::vector<ReducePriceItem> ReadWatchFile() const {
    std::ifstream in(WatchFile(), std::ios::binary);
    std::vector<ReducePriceItem> items;
    int32_t header[2] = {};
    if (!in.read(reinterpret_cast<char*>(header), sizeof header) || header[0] != 1) return items;
    ReducePriceItem item;
    while (in.read(reinterpret_cast<char*>(&item), sizeof item)) items.push_back(item);
    return items;
  }
  void WriteWatchFile(const std::vector<ReducePriceItem>& items) {
    std::ofstream out(WatchFile(), std::ios::binary);
    const int32_t header[2] = {1, static_cast<int32_t>(items.size())};
    out.write(reinterpret_cast<const char*>(header), sizeof header);
    for (const ReducePriceItem& item : items) out.write(reinterpret_cast<const char*>(&item), sizeof item);
  }
  ReducePriceItem Watched(const std::u16string& url, const std::u16string& title, double price) {
    ReducePriceItem item;
    InitReducePriceItem(&item);
    CopyText(item.Url, std::size(item.Url), url);
    CopyText(item.Title, std::size(item.Title), title);
    CopyText(item.SiteName, std::size(item.SiteName), u"本地商城");
    item.CurrentPrice = item.PreviousPrice = item.BasePrice = price;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    SystemTimeToFileTime(&now, &item.AddedTime);
    return item;
  }

  void StartPeer() {
    peer = Launch({std::string(QUORLA_BROWSER_TEST_DIR) + "/tray_window_peer"});
    ASSERT_TRUE(peer);
    ASSERT_TRUE(WaitUntil([&] { return peer->Output().find("ready") != std::string::npos; }, 20s)) << peer->Errors();
  }
  int PeerHeard(const std::string& number) const {
    std::istringstream lines(peer->Output());
    int n = 0;
    for (std::string line; std::getline(lines, line);) n += line == number;
    return n;
  }
  // A window of the browser of exactly this size.
  std::optional<WindowGeometry> WindowOfSize(int width, int height, WindowId* id = nullptr) {
    for (WindowId each : desktop.WindowsOfProcess(browser->pid())) {
      auto g = desktop.Geometry(each);
      if (g && g->width == width && g->height == height) {
        if (id) *id = each;
        return g;
      }
    }
    return std::nullopt;
  }
  // The bar's logo shows at (x, y) of the screen: white letters on the
  // bar's orange, which the blue page never shows.
  bool LogoAt(int x, int y) {
    auto screen = desktop.Capture();
    if (!screen) return false;
    int white = 0, orange = 0;
    for (int row = y; row < y + 19; ++row)
      for (int column = x; column < x + 72; ++column) {
        white += White(screen->Pixel(column, row));
        orange += Orange(screen->Pixel(column, row));
      }
    return white > 20 && orange > 100;
  }
  // A press at (x, y), the pointer moved by (dx, dy) in steps, a release.
  void Drag(int x, int y, int dx, int dy) {
    desktop.MoveMouse(x, y);
    std::this_thread::sleep_for(200ms);
    desktop.Press(1);
    std::this_thread::sleep_for(300ms);
    for (int step = 1; step <= 5; ++step) {
      desktop.MoveMouse(x + dx * step / 5, y + dy * step / 5);
      std::this_thread::sleep_for(100ms);
    }
    std::this_thread::sleep_for(300ms);
    desktop.Release(1);
    std::this_thread::sleep_for(500ms);
  }

  std::atomic<int> price{99};
  std::string program;
  std::unique_ptr<ChildProcess> peer;
};

TEST_F(BrowserPriceWatch, AProductPageOffersTheBarWhoseWishedPriceWatchesTheItem) {
  WriteSettings("[Price]\nRunTray=2\nCheckTimeLong=30\nLastCheckTime=" + std::to_string(std::time(nullptr)) + "\n");
  ASSERT_NO_FATAL_FAILURE(StartPeer());
  ASSERT_NO_FATAL_FAILURE(StartBrowser(ItemUrl(), program + "/VXBrowser"));
  int barTop = main.y + main.height - kBarFromBottom;
  const int barX = main.x + kBarLeft;
  const bool shown = WaitUntil([&] { return LogoAt(barX + 14, barTop + 10); }, 60s);
  Shot("price_watch_offer_bar.png");
  ASSERT_TRUE(shown) << "the bar over the loaded page " << browser->Errors();

  // Dragged up by any free point, it moves with the pointer, inside the
  // main window.
  Drag(barX + 700, barTop + 20, 0, -50);
  EXPECT_TRUE(WaitUntil([&] { return LogoAt(barX + 14, barTop - 50 + 10); }, 5s)) << "moved 50 up";
  if (LogoAt(barX + 14, barTop - 50 + 10)) barTop -= 50;

  // 88 typed into the box and confirmed: clicks over the page reach the bar.
  desktop.Click(barX + 108 + 40, barTop + 21);
  std::this_thread::sleep_for(500ms);
  desktop.Tool({"xdotool", "type", "--delay", "60", "88"});
  std::this_thread::sleep_for(500ms);
  desktop.Click(barX + 258 + 43, barTop + 20);
  ASSERT_TRUE(WaitUntil([&] { return !ReadWatchFile().empty(); }, 20s)) << "the item watched";
  Shot("price_watch_bar_success.png");
  const auto items = ReadWatchFile();
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(std::u16string(items[0].Url), Utf16(ItemUrl()));
  EXPECT_EQ(std::u16string(items[0].Title), u"测试商品");
  EXPECT_EQ(std::u16string(items[0].SiteName), u"本地商城");
  EXPECT_EQ(items[0].CurrentPrice, 99.0);
  EXPECT_EQ(items[0].BasePrice, 88.0);
  SYSTEMTIME added{}, today{};
  FileTimeToSystemTime(&items[0].AddedTime, &added);
  GetLocalTime(&today);
  EXPECT_EQ(std::make_tuple(added.wYear, added.wMonth, added.wDay), std::make_tuple(today.wYear, today.wMonth, today.wDay));
  EXPECT_TRUE(WaitUntil([&] { return PeerHeard("2259") >= 1; }, 10s)) << peer->Output();
  // The success text goes after four seconds.
  EXPECT_TRUE(WaitUntil([&] { return !LogoAt(barX + 14, barTop + 10); }, 10s));
}

TEST_F(BrowserPriceWatch, ItsOwnCheckShowsThePopUpAndMovesTheThreshold) {
  WriteSettings("[Price]\nRunTray=2\nCheckTimeLong=1\nLastCheckTime=0\n");
  WriteWatchFile({Watched(Utf16(ItemUrl()), u"测试商品", 120.0)});
  ASSERT_NO_FATAL_FAILURE(StartPeer());
  ASSERT_NO_FATAL_FAILURE(StartBrowser(pages.Url("/plain"), program + "/VXBrowser"));
  WindowId popupId{};
  std::optional<WindowGeometry> popup;
  ASSERT_TRUE(WaitUntil([&] { return (popup = WindowOfSize(397, 317, &popupId)).has_value(); }, 90s))
      << "the pop-up " << browser->Errors();
  std::this_thread::sleep_for(1s);
  Shot("price_watch_popup.png");
  EXPECT_EQ(popup->x, kScreenWidth - 399);
  EXPECT_EQ(popup->y + 317, kScreenHeight) << "on the bottom of the work area";
  ASSERT_TRUE(WaitUntil([&] {
    const auto items = ReadWatchFile();
    return items.size() == 1 && items[0].BasePrice == 99.0;
  }, 20s)) << "the threshold moved to the shown price";
  const auto items = ReadWatchFile();
  EXPECT_EQ(items[0].CurrentPrice, 99.0);
  EXPECT_EQ(items[0].PreviousPrice, 99.0);
  EXPECT_TRUE(WaitUntil([&] { return PeerHeard("2259") >= 1; }, 10s)) << peer->Output();

  Drag(popup->x + 200, popup->y + 110, -50, -50);
  auto moved = desktop.Geometry(popupId);
  ASSERT_TRUE(moved);
  EXPECT_EQ(moved->x, popup->x - 50);
  EXPECT_EQ(moved->y, popup->y - 50);
}

TEST_F(BrowserPriceWatch, WhileTheTrayProgramsMutexIsHeldTheBrowserFetchesNothing) {
  WriteSettings("[Price]\nRunTray=2\nCheckTimeLong=1\nLastCheckTime=0\n");
  WriteWatchFile({Watched(Utf16(ItemUrl()), u"测试商品", 120.0)});
  auto holder = Launch({std::string(QUORLA_BROWSER_TEST_DIR) + "/tray_mutex_holder"});
  ASSERT_TRUE(holder);
  ASSERT_TRUE(WaitUntil([&] { return holder->Output().find("held") != std::string::npos; }, 20s));
  ASSERT_NO_FATAL_FAILURE(StartBrowser(pages.Url("/plain"), program + "/VXBrowser"));
  std::this_thread::sleep_for(8s);
  EXPECT_EQ(Requests(pages, "/item"), 0) << "no check while the tray program runs";
  EXPECT_FALSE(WindowOfSize(397, 317));
  EXPECT_EQ(ReadWatchFile().at(0).BasePrice, 120.0);
}

TEST_F(BrowserPriceWatch, ThePriceStartListsNewestFirstRemovesAndTheSettingsAreSaved) {
  WriteSettings("[Price]\nRunTray=2\nCheckTimeLong=30\nLastCheckTime=" + std::to_string(std::time(nullptr)) + "\n");
  WriteWatchFile({Watched(u"http://127.0.0.1:1/first", u"第一件", 10.0), Watched(u"http://127.0.0.1:1/second", u"第二件", 20.0),
                  Watched(u"http://127.0.0.1:1/third", u"第三件", 30.0)});
  ASSERT_NO_FATAL_FAILURE(StartPeer());
  ASSERT_NO_FATAL_FAILURE(StartBrowser("/price", program + "/VXBrowser"));
  WindowId dialogId{};
  std::optional<WindowGeometry> dialog;
  ASSERT_TRUE(WaitUntil([&] { return (dialog = WindowOfSize(719, 436, &dialogId)).has_value(); }, 60s))
      << "the watch list " << browser->Errors();
  std::this_thread::sleep_for(1s);
  Shot("price_watch_list.png");

  // The first row is the newest: its 移除 (4 to 28 into the actions cell at
  // 600 of the list, which starts at (2, 52) under a 23-high header).
  desktop.Click(dialog->x + 2 + 600 + 16, dialog->y + 52 + 23 + 15);
  ASSERT_TRUE(WaitUntil([&] { return ReadWatchFile().size() == 2; }, 10s)) << "removed and saved at once";
  EXPECT_EQ(fs::file_size(WatchFile()), 8u + 2u * sizeof(ReducePriceItem));
  for (const ReducePriceItem& item : ReadWatchFile()) EXPECT_NE(std::u16string(item.Url), u"http://127.0.0.1:1/third");
  EXPECT_TRUE(WaitUntil([&] { return PeerHeard("2259") >= 1; }, 10s)) << peer->Output();

  Drag(dialog->x + 400, dialog->y + 20, 50, 50);
  auto moved = desktop.Geometry(dialogId);
  ASSERT_TRUE(moved);
  EXPECT_EQ(moved->x, dialog->x + 50);
  EXPECT_EQ(moved->y, dialog->y + 50);
  // Enter leaves it open; its close button ends it.
  desktop.Key("Return");
  std::this_thread::sleep_for(1s);
  EXPECT_TRUE(WindowOfSize(719, 436));
  desktop.Click(moved->x + 719 - 30 + 7, moved->y + 17);
  ASSERT_TRUE(WaitUntil([&] { return !WindowOfSize(719, 436); }, 10s));

  // The caption's 设置 link opens the settings dialog (228 x 143 units).
  desktop.Click(main.x + main.width - 130 + 10, main.y + 16);
  WindowId settingsId{};
  std::optional<WindowGeometry> settings;
  ASSERT_TRUE(WaitUntil([&] { return (settings = WindowOfSize(342, 232, &settingsId)).has_value(); }, 20s))
      << "the settings dialog";
  std::this_thread::sleep_for(1s);
  Shot("price_watch_settings.png");
  // 设置开机自动启动 (radio 1003 at 9, 45 units), then 确定 (56, 125).
  desktop.Click(settings->x + 20, settings->y + 81);
  std::this_thread::sleep_for(500ms);
  desktop.Click(settings->x + 120, settings->y + 214);
  ASSERT_TRUE(WaitUntil([&] { return !WindowOfSize(342, 232); }, 10s));
  std::ifstream ini(Settings() + "/config.ini");
  std::stringstream text;
  text << ini.rdbuf();
  EXPECT_NE(text.str().find("RunTray=1"), std::string::npos) << text.str();
  std::ifstream entry(desktop.configHome() + "/autostart/Quorla.desktop");
  std::stringstream entryText;
  entryText << entry.rdbuf();
  EXPECT_NE(entryText.str().find(program + "/VXBrowser"), std::string::npos) << entryText.str();
  EXPECT_TRUE(WaitUntil([&] { return PeerHeard("2258") >= 1; }, 10s)) << peer->Output();
}

}  // namespace
}  // namespace browser_e2e
