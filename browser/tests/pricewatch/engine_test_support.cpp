#include "engine_test_support.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <thread>

#include "framework/com_ptr.h"
#include "framework/module_loader.h"
#include "shopping/reduce_price_mgr.h"
#include "win/com.h"
#include "win/com_classes.h"
#include "win/mshtml.h"
#include "win/oleauto.h"
#include "win/profile.h"
#include "win/window_classes.h"
#include "win/window_objects.h"
#include "win/window_styles.h"

namespace engine_test {

void TempConfigHome::SetSetting(const char16_t* key, const std::u16string& value) const {
  const std::u16string file = settings().u16string();
  WritePrivateProfileStringW(u"Price", u"RunTray", u"0", file.c_str());
  WritePrivateProfileStringW(u"Price", key, value.c_str(), file.c_str());
}

std::u16string TempConfigHome::Setting(const char16_t* key) const {
  char16_t text[100];
  GetPrivateProfileStringW(u"Price", key, u"absent", text, 100, settings().u16string().c_str());
  return text;
}

ReducePriceItem MakeItem(const std::u16string& url, double current, double base) {
  ReducePriceItem item = shopping_test::MakeItem(url.c_str(), current, u"商品");
  item.PreviousPrice = current;
  item.BasePrice = base;
  return item;
}

std::vector<ReducePriceItem> ItemsInFile(const fs::path& path) {
  const std::string bytes = ReadBytes(path);
  std::vector<ReducePriceItem> items;
  for (std::size_t at = 8; at + sizeof(ReducePriceItem) <= bytes.size(); at += sizeof(ReducePriceItem)) {
    ReducePriceItem item;
    std::memcpy(static_cast<void*>(&item), bytes.data() + at, sizeof item);
    items.push_back(item);
  }
  return items;
}

std::vector<std::string> UrlsInFile(const fs::path& path) {
  std::vector<std::string> urls;
  for (const ReducePriceItem& item : ItemsInFile(path)) urls.push_back(Narrow(item.Url));
  return urls;
}

void WriteListAsAnotherProgram(const fs::path& path, const std::vector<ReducePriceItem>& items) {
  const fs::path fresh = path.string() + ".other";
  shopping_test::WriteBytes(fresh, shopping_test::WatchListBytes(1, static_cast<std::int32_t>(items.size()), items));
  fs::rename(fresh, path);
}

std::string RuleShopPage(const std::string& price) {
  return "<html><head><meta charset=utf-8><title>手机</title></head><body>"
         "<div class=\"product\"><span class=\"价格\">￥" +
         price + "</span></div></body></html>";
}

std::u16string RuleShopText(const std::string& price) {
  return u"<html><head><meta charset=utf-8><title>手机</title></head><body>"
         u"<div class=\"product\"><span class=\"价格\">￥" +
         Wide(price) + u"</span></div></body></html>";
}

std::u16string TbShopText(const std::string& listed, const std::string& promotionUrl) {
  return u"<html><head><meta charset=\"utf-8\"><title>宝贝</title></head><body><div class=\"tb-wrap\">"
         u"<strong id=\"J_StrPrice\">" +
         Wide(listed) + u"</strong><span id=\"J_VipPriceData\">{promoteUrl:\"" + Wide(promotionUrl) +
         u"\",isVip:false}</span></div></body></html>";
}

std::string PromotionReply(const std::string& price) {
  return "jsonp142({\"promList\":[{\"policyList\":[{\"promPrice\":\"" + price + "\"}]}]});";
}

std::string ShopUrl(const quorla::testing::HttpTestServer& server, const std::string& host, const std::string& path) {
  return "http://" + host + ":" + std::to_string(server.Port()) + path;
}

// The scripted clock.

FILETIME ScriptedClock::UtcNow() {
  const ULONGLONG ticks = (static_cast<ULONGLONG>(Now()) + 11644473600ull) * 10000000ull;
  return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

void ScriptedClock::Sleep(DWORD milliseconds) {
  std::unique_lock<std::mutex> lock(m_lock);
  ++m_entered;
  m_changed.notify_all();
  m_changed.wait(lock, [&] { return m_granted > 0 || m_freeRunning; });
  if (m_granted > 0) --m_granted;
  m_now += milliseconds / 1000;
  ++m_left;
  m_changed.notify_all();
}

bool ScriptedClock::AwaitSleeping(std::unique_lock<std::mutex>& lock, std::chrono::milliseconds timeout) {
  return m_changed.wait_for(lock, timeout, [&] { return m_entered > m_left; });
}

void ScriptedClock::ReleasePass() {
  std::unique_lock<std::mutex> lock(m_lock);
  AwaitSleeping(lock, 60s);
  m_releasedAt = m_entered;
  ++m_granted;
  m_changed.notify_all();
}

bool ScriptedClock::AwaitSleep(std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(m_lock);
  return m_changed.wait_for(lock, timeout, [&] { return m_entered > m_releasedAt && m_entered > m_left; });
}

bool ScriptedClock::RunPass() {
  ReleasePass();
  return AwaitSleep();
}

bool ScriptedClock::RunPasses(int passes) {
  for (int i = 0; i < passes; ++i) {
    if (!RunPass()) return false;
  }
  return true;
}

// The recording window.

namespace {

std::map<HWND, std::vector<RecordingWindow::Message>>& Received() {
  static std::map<HWND, std::vector<RecordingWindow::Message>> received;
  return received;
}

LRESULT RecordingProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_USER) Received()[hwnd].push_back({message, wParam, lParam});
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

constexpr WCHAR kRecordingClass[] = u"QuorlaEngineTestWindow";

void HandleMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

}  // namespace

RecordingWindow::RecordingWindow() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = RecordingProcedure;
  windowClass.lpszClassName = kRecordingClass;
  RegisterClassW(&windowClass);  // a later window finds it registered
  m_hwnd = CreateWindowExW(0, kRecordingClass, u"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  EXPECT_NE(m_hwnd, nullptr);
}

RecordingWindow::~RecordingWindow() {
  HandleMessages();
  Received().erase(m_hwnd);
  if (m_hwnd) DestroyWindow(m_hwnd);
}

std::vector<RecordingWindow::Message> RecordingWindow::Take(UINT message) {
  HandleMessages();
  std::vector<Message>& all = Received()[m_hwnd];
  std::vector<Message> taken;
  for (auto it = all.begin(); it != all.end();) {
    if (it->message == message) {
      taken.push_back(*it);
      it = all.erase(it);
    } else {
      ++it;
    }
  }
  return taken;
}

std::vector<RecordingWindow::Message> RecordingWindow::AwaitOne(UINT message, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  std::vector<Message> taken;
  while ((taken = Take(message)).empty() && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(10ms);
  return taken;
}

// The engine's test.

void EngineTest::SetUp() {
  CoInitialize(nullptr);
  ReadFileIntoList();
}

void EngineTest::ReadFileIntoList() {
  IReducePriceMgr* manager = nullptr;
  ASSERT_EQ(CreateObject<IReducePriceMgr>(u"Vendrix.CReducePriceMgr", &manager), S_OK);
  manager->Load();
  manager->Release();
}

void EngineTest::WatchInFile(const std::vector<ReducePriceItem>& items) {
  std::vector<ReducePriceItem> all = ItemsInFile(home.watchList());
  all.insert(all.end(), items.begin(), items.end());
  WriteListAsAnotherProgram(home.watchList(), all);
}

void EngineTest::StartEngine(bool withWindows) {
  if (server.Port() == 0) {
    ASSERT_TRUE(server.Start());
  }
  PriceWatchEngine::Options options;
  options.clock = &clock;
  options.settings = &settings;
  engine = PriceWatchEngine::Create(options);
  watched = engine;
  ASSERT_NE(engine->Manager(), nullptr);
  ASSERT_NE(engine->Parser(), nullptr);
  if (!withWindows) return;
  mainWindow = std::make_unique<RecordingWindow>();
  popup = std::make_unique<RecordingWindow>();
  engine->SetWindows(mainWindow->hwnd(), popup->hwnd());
}

bool EngineTest::EndEngine(std::chrono::milliseconds timeout) {
  server.Stop();
  clock.FreeRun();
  if (engine) engine->StopWorkers();
  engine.reset();
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!watched.expired() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(20ms);
  return watched.expired();
}

void EngineTest::TearDown() {
  EXPECT_TRUE(EndEngine()) << "a worker kept the engine";
  mainWindow.reset();
  popup.reset();
  CoUninitialize();
}

}  // namespace engine_test
