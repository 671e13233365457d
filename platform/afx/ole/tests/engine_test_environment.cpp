#include "engine_test_environment.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "win/messages.h"

namespace afx_ole_test {

namespace {

class EngineFolders final : public ::testing::Environment {
 public:
  void SetUp() override {
    char pattern[] = "/tmp/quorla-afx-ole-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    std::filesystem::create_directories(root_ + "/data");
    std::filesystem::create_directories(root_ + "/cache");
    setenv("XDG_DATA_HOME", (root_ + "/data").c_str(), 1);
    setenv("XDG_CACHE_HOME", (root_ + "/cache").c_str(), 1);
  }
  void TearDown() override {
    // The engine deletes its pages a little later; let that happen first.
    PumpFor(200);
    std::error_code ignored;
    if (!root_.empty()) std::filesystem::remove_all(root_, ignored);
  }

 private:
  std::string root_;
};

[[maybe_unused]] auto* const g_folders = ::testing::AddGlobalTestEnvironment(new EngineFolders);

}  // namespace

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

void PumpFor(int milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

bool LetScriptsOpenWindows() {
  int pages = 0;
  for (QWidget* widget : QApplication::allWidgets()) {
    if (auto* view = qobject_cast<QWebEngineView*>(widget); view && view->page()) {
      view->page()->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
      ++pages;
    }
  }
  return pages > 0;
}

}  // namespace afx_ole_test
