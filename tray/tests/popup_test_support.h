#pragma once
// Helpers of the notice pop-up's tests: a pop-up that lets a test act once
// it is on screen (inside its modal loop) and records the presses that
// would move it, a watched item to show, the stand-in browser's log, and
// reading back what a window shows.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "../sfwnd/tests/sfwnd_test_support.h"
#include "dlg_cut_price_notify.h"
#include "skin_bitmaps.h"
#include "tray_test_support.h"
#include "win/blit.h"
#include "win/dib.h"
#include "win/monitors.h"
#include "win/time.h"
#include "win/timers.h"

namespace popup_test {

namespace fs = std::filesystem;
using tray_test::LocalDate;

constexpr UINT_PTR kProbeTimer = 0x5150;

// The pop-up under test. Once it is visible, onShown runs inside its
// modal loop; the test ends the pop-up there (or lets a click end it).
// Move requests are recorded instead of starting the platform's move loop,
// which would wait for a real button release.
class ProbedNotice : public CDlgCutPriceNotify {
 public:
  BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD dwMsgMapID = 0) override {
    if (uMsg == WM_SIZE || uMsg == WM_INITDIALOG) sizingOrder.push_back(uMsg);
    if (uMsg == WM_SYSCOMMAND) {
      moveRequests.push_back(wParam);
      lResult = 0;
      return TRUE;
    }
    if (uMsg == WM_TIMER && wParam == kProbeTimer) {
      if (!IsWindowVisible()) return TRUE;
      KillTimer(kProbeTimer);
      UpdateWindow();
      if (onShown) onShown(*this);
      return TRUE;
    }
    const BOOL handled = CDlgCutPriceNotify::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, dwMsgMapID);
    // Timers come only when nothing else waits, so the pop-up is shown by
    // the time this one fires.
    if (uMsg == WM_INITDIALOG) SetTimer(kProbeTimer, 20);
    if (uMsg == WM_SIZE && sizingOrder.size() == 1) closeAtFirstSize = CloseButton().GetWndRect();
    return handled;
  }

  std::function<void(ProbedNotice&)> onShown;
  std::vector<UINT> sizingOrder;
  RECT closeAtFirstSize{-1, -1, -1, -1};
  std::vector<WPARAM> moveRequests;
};


inline ReducePriceItem NoticeItem(const std::u16string& url, const std::u16string& title, double previous,
                                  double current) {
  ReducePriceItem item;
  InitReducePriceItem(&item);
  item.Id = 7;
  std::copy(url.begin(), url.begin() + std::min<std::size_t>(url.size(), 2083), item.Url);
  std::copy(title.begin(), title.begin() + std::min<std::size_t>(title.size(), 259), item.Title);
  item.PreviousPrice = previous;
  item.CurrentPrice = current;
  item.BasePrice = previous;
  item.AddedTime = LocalDate(2012, 3, 7);
  return item;
}

inline LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// A click as the platform delivers it: the pointer arrives, presses,
// releases.
inline void ClickAt(HWND window, int x, int y) {
  SendMessageW(window, WM_MOUSEMOVE, 0, At(x, y));
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
  SendMessageW(window, WM_LBUTTONUP, 0, At(x, y));
}

// One monitor with a panel at its bottom, instead of whatever the
// platform sees; undone at the end of the scope.
class InjectedMonitor {
 public:
  InjectedMonitor(RECT monitor, RECT work) {
    quorla::MonitorArea area{monitor, work};
    quorla::OverrideMonitorsForTesting(&area, 1);
  }
  ~InjectedMonitor() { quorla::OverrideMonitorsForTesting(nullptr, 0); }
};

// The stand-in browser's log for the life of the object: each start of the
// browser adds a line with its command line.
class BrowserStarts {
 public:
  BrowserStarts() {
    std::string pattern = (fs::temp_directory_path() / "quorla-browser-XXXXXX").string();
    m_dir = mkdtemp(pattern.data());
    m_log = m_dir / "starts.log";
    setenv("QUORLA_BROWSER_STANDIN_LOG", m_log.c_str(), 1);
  }
  ~BrowserStarts() {
    unsetenv("QUORLA_BROWSER_STANDIN_LOG");
    std::error_code ignored;
    fs::remove_all(m_dir, ignored);
  }
  std::vector<std::string> Lines() const {
    std::ifstream in(m_log);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
      if (!line.empty()) lines.push_back(line);
    return lines;
  }
  // Waits until there are count lines (at most ten seconds), then a
  // little more, so that a start too many would show.
  std::vector<std::string> AwaitLines(std::size_t count) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (Lines().size() < count && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return Lines();
  }
  // The command line the stand-in sees for the given parameters: the
  // browser beside the test program, quoted, then the parameters.
  static std::string LineFor(const std::string& parameters) {
    return "\"" + std::string(QUORLA_TRAY_TEST_DIR) + "/VXBrowser\" " + parameters;
  }

 private:
  fs::path m_dir;
  fs::path m_log;
};

// A copy of what a window shows.
inline std::unique_ptr<sfwnd_test::Surface> ReadWindow(HWND window, int width, int height) {
  auto image = std::make_unique<sfwnd_test::Surface>(width, height);
  HDC source = GetDC(window);
  BitBlt(image->dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
  ReleaseDC(window, source);
  return image;
}

// A pixel of a skin's bitmap, 0x00RRGGBB (premultiplied for skins with
// alpha).
inline std::uint32_t SkinPixel(UINT skin, int x, int y) {
  DIBSECTION section{};
  if (GetObjectW(SkinBitmap(skin).GetBitmap(), sizeof section, &section) != sizeof section) return 0xFF000000;
  const BITMAP& bitmap = section.dsBm;
  const auto* row = static_cast<const BYTE*>(bitmap.bmBits) + static_cast<std::size_t>(y) * bitmap.bmWidthBytes;
  const BYTE* pixel = row + x * (bitmap.bmBitsPixel / 8);
  return (static_cast<std::uint32_t>(pixel[2]) << 16) | (pixel[1] << 8) | pixel[0];
}

}  // namespace popup_test
