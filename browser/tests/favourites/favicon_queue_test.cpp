#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "favicon_queue.h"
#include "favourites_test_support.h"
#include "http_test_server.h"
#include "win/dialogs.h"
#include "win/menus.h"
#include "win/messages.h"
#include "win/threads.h"
#include "win/time.h"
#include "win/window_classes.h"
#include "win/window_objects.h"
#include "win/window_styles.h"

namespace {

using quorla::testing::HttpTestServer;
using quorla::testing::PatternBytes;

// What reached the main window's stand-in with WM_FAVICON_LOADED.
struct Delivery {
  std::string url;
  CKQIEView* view;
  uint64_t serial;
  std::string bytes;
  DWORD thread;
};

constexpr UINT kLeaveModalLoop = WM_APP + 1;

std::vector<Delivery> g_deliveries;
HWND g_dialog = nullptr;
bool g_inMenu = false;

LRESULT CALLBACK StandInProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_FAVICON_LOADED) {
    const auto* request = reinterpret_cast<const FaviconRequest*>(lParam);
    g_deliveries.push_back({favourites_test::Utf8Of(request->url.GetString()), request->view, request->serial,
                            std::string(request->bytes.begin(), request->bytes.end()), GetCurrentThreadId()});
    PostMessageW(hwnd, kLeaveModalLoop, 0, 0);
    return 1;
  }
  if (message == kLeaveModalLoop) {
    if (g_dialog) EndDialog(g_dialog, 1);
    if (g_inMenu) PostQuitMessage(0);  // closes the menu, and stays queued
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

INT_PTR DialogProc(HWND hwnd, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) {
    g_dialog = hwnd;
    return TRUE;
  }
  return FALSE;
}

CString Wide(const std::string& text) { return CString(std::u16string(text.begin(), text.end()).c_str()); }

CKQIEView* FakeView(int n) { return reinterpret_cast<CKQIEView*>(static_cast<uintptr_t>(0x1000 * n)); }

class FaviconQueueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_deliveries.clear();
    g_dialog = nullptr;
    g_inMenu = false;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = StandInProc;
    windowClass.lpszClassName = u"FaviconStandIn";
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, u"FaviconStandIn", u"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    queue_ = std::make_unique<FaviconQueue>();
    queue_->SetMainWindow(window_);
  }
  void TearDown() override {
    // The window goes first: a worker's message to it then returns at once.
    DestroyWindow(window_);
    queue_.reset();
  }

  // A server whose every path but /favicon.ico is a page, and whose icon
  // is answered by handler.
  std::unique_ptr<HttpTestServer> Site(quorla::testing::HttpHandler icon) {
    auto server = std::make_unique<HttpTestServer>();
    server->Route("/favicon.ico", std::move(icon));
    server->ServeBody("/gone.ico", "gone", 404);
    server->ServeBody("/real.ico", icon_, 200, "image/x-icon");
    server->ServeBody("/", "<p>page</p>");
    EXPECT_TRUE(server->Start());
    return server;
  }
  static quorla::testing::HttpHandler Status(int status, std::string body) {
    return [=](const quorla::testing::HttpRequest&, quorla::testing::HttpResponder& out) {
      out.Respond(status, body, "image/x-icon");
    };
  }
  static quorla::testing::HttpHandler Redirect(std::string location) {
    return [=](const quorla::testing::HttpRequest&, quorla::testing::HttpResponder& out) {
      out.Respond(302, "", "text/html", "Location: " + location + "\r\n");
    };
  }

  // Pumps messages until n icons arrived; false after 20 seconds.
  bool WaitForDeliveries(size_t n) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (g_deliveries.size() < n && std::chrono::steady_clock::now() < end) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      Sleep(10);
    }
    return g_deliveries.size() >= n;
  }

  const std::string icon_ = favourites_test::OneColourIco(0x20, 0x80, 0xE0) + PatternBytes(2000);
  HWND window_ = nullptr;
  std::unique_ptr<FaviconQueue> queue_;
};

// What a download answers for each status, redirect, refusal or stall is
// the download's own test (a refused one is DownloadFavicon's below); the
// queue delivers only a final status 200 with a body, in the order asked,
// each request on its own.
TEST_F(FaviconQueueTest, OnlyBodiesOfAFinalStatus200ReachTheWindowInOrder) {
  auto icon = Site(Status(200, icon_));
  auto missing = Site(Status(404, "no icon"));
  auto empty = Site(Status(200, ""));
  auto toMissing = Site(Redirect("/gone.ico"));
  auto toIcon = Site(Redirect("/real.ico"));

  struct Request {
    std::string page;
    bool delivered;
  } requests[] = {
      {icon->Url("/shop/page.html?x=1"), true}, {missing->Url("/"), false}, {empty->Url("/"), false},
      {toMissing->Url("/"), false},             {toIcon->Url("/a/b"), true}, {"about:blank", false},
      {icon->Url("/again"), true},
  };
  int n = 0;
  std::vector<std::pair<std::string, int>> expected;
  for (const Request& r : requests) {
    ++n;
    queue_->RequestFavicon(Wide(r.page), FakeView(n), 100 + n);
    if (r.delivered) expected.push_back({r.page, n});
  }
  EXPECT_EQ(queue_->Waiting(), 6u) << "about:blank queues nothing";
  ASSERT_TRUE(queue_->Start());
  ASSERT_TRUE(WaitForDeliveries(expected.size()));
  ASSERT_EQ(g_deliveries.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(expected[i].first);
    const Delivery& d = g_deliveries[i];
    EXPECT_EQ(d.view, FakeView(expected[i].second));
    EXPECT_EQ(d.serial, static_cast<uint64_t>(100 + expected[i].second));
    EXPECT_EQ(d.bytes, icon_) << "whole, across several 1024-byte blocks";
    EXPECT_EQ(d.thread, GetCurrentThreadId());
    EXPECT_EQ(d.url.substr(d.url.size() - 12), "/favicon.ico");
  }
  // Nothing was merged: the same site twice is asked twice.
  size_t asked = 0;
  for (const auto& request : icon->Requests()) asked += request.path == "/favicon.ico";
  EXPECT_EQ(asked, 2u);
  EXPECT_EQ(queue_->Waiting(), 0u);
}

TEST_F(FaviconQueueTest, TheIconIsServedWhileTheWindowsThreadSitsInADialogOrAMenu) {
  auto icon = Site(Status(200, icon_));
  const std::function<void()> modalLoops[] = {
      [&] {
        // An empty dialog with no items: header, then no menu, class or title.
        struct {
          DLGTEMPLATE header;
          WORD names[3];
        } dialog{{WS_POPUP, 0, 0, 0, 0, 50, 20}, {0, 0, 0}};
        EXPECT_EQ(DialogBoxIndirectParamW(nullptr, &dialog.header, window_, DialogProc, 0), 1);
      },
      [&] {
        HMENU menu = CreatePopupMenu();
        AppendMenuW(menu, MF_STRING, 1170, u"link");
        g_inMenu = true;
        EXPECT_TRUE(TrackPopupMenu(menu, TPM_LEFTBUTTON, 10, 10, 0, window_, nullptr));
        g_inMenu = false;
        DestroyMenu(menu);
        MSG quit;
        EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
      },
  };
  ASSERT_TRUE(queue_->Start());
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i ? "menu" : "dialog");
    g_deliveries.clear();
    queue_->RequestFavicon(Wide(icon->Url("/")), FakeView(i + 1), i + 1);
    modalLoops[i]();
    ASSERT_EQ(g_deliveries.size(), 1u);
    EXPECT_EQ(g_deliveries[0].view, FakeView(i + 1));
    EXPECT_EQ(g_deliveries[0].bytes, icon_);
  }
}

TEST_F(FaviconQueueTest, DownloadFaviconKeepsNoBytesOfAFailure) {
  auto missing = Site(Status(404, "no icon here"));
  FaviconRequest request;
  request.url = Wide(missing->Url("/favicon.ico"));
  request.bytes = {1, 2, 3};
  EXPECT_FALSE(DownloadFavicon(request));
  EXPECT_TRUE(request.bytes.empty());
  request.url = u"http://127.0.0.1:1/favicon.ico";
  EXPECT_FALSE(DownloadFavicon(request));
}

}  // namespace
