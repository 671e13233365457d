#pragma once
// Helpers of the price engine's tests: a private application-data folder,
// the fixture shops' pages on the local server, a scripted clock and
// settings for the check worker, a hidden window standing in for the main
// window, and watch-list files as another program writes them (beside the
// shopping tests' helpers).
//
// The test programs live in a folder of their own, with the deployed
// Vendrix.dll, Pelmor.dll and Gravik.dll beside them and the fixture shops'
// site table in its config folder, as the browser finds them beside itself.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "../../../shopping/tests/test_support.h"
#include "framework/com_ptr.h"
#include "http_test_server.h"
#include "price_watch_engine_core.h"
#include "shopping/reduce_price_item.h"
#include "win/messages.h"
#include "win/unknown.h"

namespace engine_test {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

inline std::u16string Wide(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }
using shopping_test::Narrow;
using shopping_test::ReadBytes;

// Points XDG_CONFIG_HOME at a new folder for the life of the object, with
// the browser's settings folder in it.
class TempConfigHome : public shopping_test::TempConfigHome {
 public:
  TempConfigHome() { fs::create_directories(dir() / "vxbrowser"); }
  fs::path settings() const { return dir() / "vxbrowser" / "config.ini"; }
  // A key of the settings' "Price" section (RunTray set too, so no
  // first-start rule runs); "absent" when missing.
  void SetSetting(const char16_t* key, const std::u16string& value) const;
  std::u16string Setting(const char16_t* key) const;
};

// A watched item at the current price, watched for base.
ReducePriceItem MakeItem(const std::u16string& url, double current, double base = 0.0);
// The records of a watch-list file, in file order.
std::vector<ReducePriceItem> ItemsInFile(const fs::path& path);
std::vector<std::string> UrlsInFile(const fs::path& path);
// Writes a watch-list file whole, as another program saves it.
void WriteListAsAnotherProgram(const fs::path& path, const std::vector<ReducePriceItem>& items);

// Pages of the fixture shops.
std::string RuleShopPage(const std::string& price);
std::u16string RuleShopText(const std::string& price);
std::u16string TbShopText(const std::string& listed, const std::string& promotionUrl);
std::string PromotionReply(const std::string& price);
std::string ShopUrl(const quorla::testing::HttpTestServer& server, const std::string& host, const std::string& path);


// The check worker's clock: simulated time that moves by the worker's own
// sleeps, each of which lasts until the test lets one pass run.
class ScriptedClock final : public IEngineClock {
 public:
  explicit ScriptedClock(LONGLONG now) : m_now(now) {}
  LONGLONG Now() override {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_now;
  }
  FILETIME UtcNow() override;
  void Sleep(DWORD milliseconds) override;

  // Lets the worker run one pass and returns once it sleeps again; false
  // when it does not come back within a minute.
  bool RunPass();
  bool RunPasses(int passes);
  // Lets one pass begin without waiting for its end.
  void ReleasePass();
  // Waits until the worker sleeps again after the pass released last.
  bool AwaitSleep(std::chrono::milliseconds timeout = 60s);
  // Every sleep returns at once from now on (before stopping the engine).
  void FreeRun() {
    std::lock_guard<std::mutex> lock(m_lock);
    m_freeRunning = true;
    m_changed.notify_all();
  }
  void Set(LONGLONG now) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_now = now;
  }

 private:
  bool AwaitSleeping(std::unique_lock<std::mutex>& lock, std::chrono::milliseconds timeout);

  std::mutex m_lock;
  std::condition_variable m_changed;
  LONGLONG m_now;
  int m_granted = 0;
  unsigned m_entered = 0;
  unsigned m_left = 0;
  unsigned m_releasedAt = 0;
  bool m_freeRunning = false;
};

// The schedule as the settings file would hold it; the worker's writes of
// LastCheckTime are written down.
class ScriptedSettings final : public IEngineSettings {
  template <class F>
  auto Locked(F f) {
    std::lock_guard<std::mutex> lock(m_lock);
    return f();
  }

 public:
  DWORD ReadCheckTimeLong() override { return Locked([&] { return m_minutes; }); }
  ULONGLONG ReadLastCheckTime() override { return Locked([&] { return m_lastCheck; }); }
  void WriteLastCheckTime(ULONGLONG seconds) override {
    Locked([&] { m_writes.push_back(m_lastCheck = seconds); });
  }

  void SetCheckTimeLong(DWORD minutes) { Locked([&] { m_minutes = minutes; }); }
  void SetLastCheckTime(ULONGLONG seconds) { Locked([&] { m_lastCheck = seconds; }); }
  std::vector<ULONGLONG> Writes() { return Locked([&] { return m_writes; }); }

 private:
  std::mutex m_lock;
  DWORD m_minutes = 30;
  ULONGLONG m_lastCheck = 0;
  std::vector<ULONGLONG> m_writes;
};

// A hidden top-level window of this thread that writes down what is posted
// to it.
class RecordingWindow {
 public:
  struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  RecordingWindow();
  ~RecordingWindow();
  HWND hwnd() const { return m_hwnd; }
  // Handles what reached this thread; returns the messages of the number.
  std::vector<Message> Take(UINT message);
  // Handles messages until one of the number came or time ran out.
  std::vector<Message> AwaitOne(UINT message, std::chrono::milliseconds timeout);

 private:
  HWND m_hwnd = nullptr;
};

// An engine of the test with its own clock and settings, the local shop
// server and the windows standing in for the main window and the pop-up.
// Tear-down ends the server first (a download it stalls ends with it), then
// the workers, and waits until they let go of the engine.
class EngineTest : public ::testing::Test {
 protected:
  static constexpr LONGLONG kStart = 1765300000;  // 2025-12-09 17:06:40 UTC

  void SetUp() override;
  void TearDown() override;

  // Makes the engine, its workers started; with windows, the main window
  // (and pop-up) handles given as the main window gives them.
  void StartEngine(bool withWindows = true);
  // Stops the workers and waits for them to let go; false when they keep it
  // past the time-out.
  bool EndEngine(std::chrono::milliseconds timeout = 30s);
  IReducePriceMgr* Manager() const { return engine->Manager(); }
  // The list of the process, read from the file again.
  void ReadFileIntoList();
  // Adds items to the file as a program that watched them earlier.
  void WatchInFile(const std::vector<ReducePriceItem>& items);

  TempConfigHome home;
  quorla::testing::HttpTestServer server;
  ScriptedClock clock{kStart};
  ScriptedSettings settings;
  std::unique_ptr<RecordingWindow> mainWindow;
  std::unique_ptr<RecordingWindow> popup;
  std::shared_ptr<PriceWatchEngine> engine;
  std::weak_ptr<PriceWatchEngine> watched;
};

}  // namespace engine_test
