#pragma once
// Helpers of the tray program's tests: a private application-data folder
// with the settings and watch-list files, the process's watch list (the
// deployed Vendrix.dll's shared instance, through the program's own
// loader), shop pages on the local server, and stand-ins for the clock, the
// main window and the pop-up.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

#include "engine_callback.h"
#include "framework/module_loader.h"
#include "notice_timer.h"
#include "price_watch_clock.h"
#include "price_watch_context.h"
#include "shopping/reduce_price_mgr.h"
#include "win/handles.h"
#include "win/profile.h"
#include "win/time.h"
#include "win/waits.h"

namespace tray_test {

namespace fs = std::filesystem;

// Points XDG_CONFIG_HOME at a new empty folder for the life of the object.
class TempConfigHome {
 public:
  TempConfigHome() {
    std::string pattern = (fs::temp_directory_path() / "quorla-tray-XXXXXX").string();
    m_dir = mkdtemp(pattern.data());
    setenv("XDG_CONFIG_HOME", m_dir.c_str(), 1);
    fs::create_directories(m_dir / "vxbrowser");
  }
  ~TempConfigHome() {
    std::error_code ignored;
    fs::remove_all(m_dir, ignored);
  }
  fs::path watchList() const { return m_dir / "vxbrowser" / "reduceprice.fg"; }
  fs::path settings() const { return m_dir / "vxbrowser" / "config.ini"; }

  // Sets a key of the settings' "Price" section (RunTray is set as well, so
  // no first-start rule runs).
  void SetSetting(const char16_t* key, const std::u16string& value) const {
    const std::u16string file = settings().u16string();
    WritePrivateProfileStringW(u"Price", u"RunTray", u"0", file.c_str());
    WritePrivateProfileStringW(u"Price", key, value.c_str(), file.c_str());
  }
  // A key's text, or "absent".
  std::u16string Setting(const char16_t* key) const {
    char16_t text[100];
    GetPrivateProfileStringW(u"Price", key, u"absent", text, 100, settings().u16string().c_str());
    return text;
  }

 private:
  fs::path m_dir;
};

// A watch date: that day at noon, as the lists store it.
inline FILETIME LocalDate(WORD year, WORD month, WORD day) {
  SYSTEMTIME date{};
  date.wYear = year;
  date.wMonth = month;
  date.wDay = day;
  date.wHour = 12;
  FILETIME time{};
  SystemTimeToFileTime(&date, &time);
  return time;
}

inline std::u16string Wide(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }
inline std::u16string Decimal(unsigned long long n) { return Wide(std::to_string(n)); }

inline ReducePriceItem MakeItem(const std::u16string& url, double current, double base, double previous,
                                const std::u16string& title = u"商品") {
  ReducePriceItem item;
  InitReducePriceItem(&item);
  std::copy(url.begin(), url.begin() + std::min<std::size_t>(url.size(), 2083), item.Url);
  std::copy(title.begin(), title.begin() + std::min<std::size_t>(title.size(), 259), item.Title);
  item.CurrentPrice = current;
  item.BasePrice = base;
  item.PreviousPrice = previous;
  return item;
}

// Addresses of the fixture shop by name, and watched items of them.
inline std::u16string RulesUrl(const char* name) { return Wide(std::string("http://rules.localhost/") + name); }
inline std::vector<std::u16string> RulesUrls(std::initializer_list<const char*> names) {
  std::vector<std::u16string> urls;
  for (const char* name : names) urls.push_back(RulesUrl(name));
  return urls;
}
inline std::vector<ReducePriceItem> RulesItems(std::initializer_list<const char*> names) {
  std::vector<ReducePriceItem> items;
  for (const char* name : names) items.push_back(MakeItem(RulesUrl(name), 1.0, 1.0, 1.0));
  return items;
}

// Writes a watch-list file as another program would save it: a new file
// renamed over the old one.
inline void SaveListAsAnotherProgram(const fs::path& path, const std::vector<ReducePriceItem>& items) {
  const fs::path fresh = path.string() + ".other";
  {
    std::ofstream out(fresh, std::ios::binary | std::ios::trunc);
    const std::int32_t header[2] = {1, static_cast<std::int32_t>(items.size())};
    out.write(reinterpret_cast<const char*>(header), sizeof header);
    for (const ReducePriceItem& item : items) out.write(reinterpret_cast<const char*>(&item), sizeof item);
  }
  fs::rename(fresh, path);
}

inline std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The addresses stored in a watch-list file, in file order.
inline std::vector<std::u16string> UrlsInFile(const fs::path& path) {
  const std::string bytes = ReadBytes(path);
  std::vector<std::u16string> urls;
  for (std::size_t at = 8; at + sizeof(ReducePriceItem) <= bytes.size(); at += sizeof(ReducePriceItem)) {
    ReducePriceItem item;
    std::memcpy(static_cast<void*>(&item), bytes.data() + at, sizeof item);
    urls.push_back(item.Url);
  }
  return urls;
}

// The process's one watch list, as the tray program's code reaches it.
inline IReducePriceMgr* SharedManager() {
  IReducePriceMgr* manager = nullptr;
  EXPECT_EQ(CreateObject<IReducePriceMgr>(u"Vendrix.CReducePriceMgr", &manager), S_OK);
  if (manager) manager->Release();  // one shared instance that lives to the end of the process
  return manager;
}

inline std::vector<DWORD> Ids(IReducePriceMgr* manager) {
  std::vector<DWORD> ids(manager->GetCount() + 16);
  DWORD got = 0;
  manager->GetIds(ids.data(), static_cast<DWORD>(ids.size()), &got);
  ids.resize(got);
  return ids;
}

inline ReducePriceItem Listed(IReducePriceMgr* manager, DWORD id) {
  ReducePriceItem* item = nullptr;
  EXPECT_EQ(manager->GetItem(id, &item), S_OK) << "item " << id;
  return item ? *item : ReducePriceItem{};
}

// A product page of the fixture shop, UTF-8, its price where the shop's
// rule looks.
inline std::string ShopPage(const std::string& price) {
  return "<html><head><meta charset=utf-8><title>商品</title></head><body>"
         "<div class=\"product\"><span class=\"价格\">￥" +
         price + "</span></div></body></html>";
}

// The clock and the wait of a worker under test: the time is whatever the
// test sets, and every wait lasts until the test wakes or stops the worker.
class ScriptedClock final : public IPriceWatchClock {
 public:
  explicit ScriptedClock(LONGLONG now) : m_now(now) {}

  LONGLONG Now() override {
    std::lock_guard<std::mutex> lock(m_lock);
    ++m_readings;
    return m_now;
  }
  void Set(LONGLONG now) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_now = now;
  }
  int Readings() {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_readings;
  }

  DWORD Wait(HANDLE thread, DWORD milliseconds) override {
    std::unique_lock<std::mutex> lock(m_lock);
    m_waits.push_back({thread, milliseconds});
    m_changed.notify_all();
    m_changed.wait(lock, [&] { return m_wakes > 0 || m_stopping; });
    if (m_stopping) return WAIT_OBJECT_0;
    --m_wakes;
    return WAIT_TIMEOUT;
  }

  // Lets the worker wake once and returns when it waits again, its wake's
  // work done. False when it does not come back within a minute.
  bool Wake() { return AwaitWaitsAfter(Release()); }
  // Lets the worker wake once without waiting for its work; returns how
  // many waits it had begun before, for AwaitWaitsAfter.
  std::size_t Release() {
    std::unique_lock<std::mutex> lock(m_lock);
    m_changed.wait_for(lock, std::chrono::seconds(30), [&] { return !m_waits.empty(); });
    ++m_wakes;
    m_changed.notify_all();
    return m_waits.size();
  }
  // Waits until the worker has begun more than waits waits.
  bool AwaitWaitsAfter(std::size_t waits) {
    std::unique_lock<std::mutex> lock(m_lock);
    return m_changed.wait_for(lock, std::chrono::seconds(60), [&] { return m_waits.size() > waits; });
  }
  // Ends the worker at its next wait.
  void Stop() {
    std::lock_guard<std::mutex> lock(m_lock);
    m_stopping = true;
    m_changed.notify_all();
  }

  struct WaitCall {
    HANDLE thread;
    DWORD milliseconds;
  };
  std::vector<WaitCall> Waits() {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_waits;
  }

 private:
  std::mutex m_lock;
  std::condition_variable m_changed;
  LONGLONG m_now;
  int m_readings = 0;
  int m_wakes = 0;
  bool m_stopping = false;
  std::vector<WaitCall> m_waits;
};

// Ends a worker started on the context and waits for it.
inline void StopWorker(ScriptedClock& clock, PriceWatchContext& context) {
  if (!context.thread) return;
  clock.Stop();
  EXPECT_EQ(WaitForSingleObject(context.thread, 60000), WAIT_OBJECT_0);
  CloseHandle(context.thread);
  context.thread = nullptr;
}

// The main window's part of the hand-over: what it receives goes into the
// queue; every call is counted.
class QueueingCallBack final : public IEngineCallBack {
 public:
  explicit QueueingCallBack(PriceWatchContext& context) : m_context(context) {}
  void OnEngineEvent(std::int32_t kind, void* item, std::int32_t a, std::int32_t b) override {
    ++calls;
    m_context.notices.Post(kind, item, a, b);
  }
  int calls = 0;  // under the queue's lock

 private:
  PriceWatchContext& m_context;
};

// A pop-up that records what it showed; during may act while it is "open".
class RecordingPopup final : public INoticePopup {
 public:
  void Show(const ReducePriceItem& item) override {
    shown.push_back(item);
    if (during) during(item);
  }
  std::vector<ReducePriceItem> shown;
  std::function<void(const ReducePriceItem&)> during;
};

// Takes every queued notice; the caller owns the items.
inline std::vector<ReducePriceItem> TakeAll(PriceWatchContext& context) {
  std::vector<ReducePriceItem> items;
  Notice notice;
  while (context.notices.Take(notice)) {
    auto* item = static_cast<ReducePriceItem*>(notice.item);
    items.push_back(*item);
    delete item;
  }
  return items;
}

}  // namespace tray_test
