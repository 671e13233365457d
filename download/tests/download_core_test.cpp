// The queue and its worker with scripted download objects: order, ids, the
// paths where a download cannot be made or started, messages of windows on
// the worker, and stopping.
#include <gtest/gtest.h>

#include <stdexcept>

#include "download_core.h"
#include "download_fakes.h"
#include "win/messages.h"
#include "win/time.h"
#include "win/urlmon.h"
#include "win/threads.h"
#include "win/waits.h"
#include "win/window_objects.h"

namespace {

HRESULT MakeScripted(IUrlMoniker** out) {
  *out = new ScriptedDownload;
  return S_OK;
}

HRESULT CannotMake(IUrlMoniker** out) {
  *out = nullptr;
  return E_FAIL;
}

class DownloadCoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::lock_guard<std::mutex> guard(ScriptedDownload::lock);
    ScriptedDownload::script = Script{};
    ScriptedDownload::starts.clear();
    ScriptedDownload::aborts = 0;
    ScriptedDownload::destroyed = 0;
  }
  std::shared_ptr<DownloadCore> core = std::make_shared<DownloadCore>(MakeScripted);
  void TearDown() override { core->StopWorker(5000); }
};

TEST_F(DownloadCoreTest, RequestsStartInQueueOrderWithIdsFromOne) {
  auto* first = new CountingResult;
  auto* second = new CountingResult;
  ASSERT_TRUE(core->EnqueueTask(HttpVerbGet, u"http://a/", nullptr, 0, nullptr, DeliverToBuffer, first));
  ASSERT_TRUE(core->EnqueueTask(HttpVerbPost, u"http://b/", "k=v", 3, nullptr, DeliverToBuffer, second));
  HANDLE events[] = {first->event, second->event};
  ASSERT_EQ(WaitForMultipleObjects(2, events, TRUE, 5000), WAIT_OBJECT_0);
  std::lock_guard<std::mutex> guard(ScriptedDownload::lock);
  ASSERT_EQ(ScriptedDownload::starts.size(), 2u);
  EXPECT_EQ(ScriptedDownload::starts[0].context, 1);
  EXPECT_EQ(ScriptedDownload::starts[0].url, u"http://a/");
  EXPECT_FALSE(ScriptedDownload::starts[0].post);
  EXPECT_EQ(ScriptedDownload::starts[1].context, 2);
  EXPECT_TRUE(ScriptedDownload::starts[1].post);
  EXPECT_EQ(first->status, 0) << "a failed transfer reports status 0";
  first->Release();
  second->Release();
}

TEST_F(DownloadCoreTest, ArgumentsRefusedTable) {
  struct Case {
    int verb;
    LPCWSTR url;
    const void* data;
    int length;
    LPCWSTR path;
    int delivery;
  } cases[] = {
      {HttpVerbGet, nullptr, nullptr, 0, nullptr, DeliverToBuffer},
      {HttpVerbPost, u"http://x/", nullptr, 4, nullptr, DeliverToBuffer},
      {HttpVerbGet, u"http://x/", nullptr, 0, nullptr, DeliverToFile},
      {HttpVerbPost, u"http://x/", "abc", -1, nullptr, DeliverToBuffer},
  };
  for (const Case& c : cases)
    EXPECT_FALSE(core->EnqueueTask(c.verb, c.url, c.data, c.length, c.path, c.delivery, nullptr));
  EXPECT_EQ(core->WorkerThreadId(), 0u) << "nothing queued, no worker";
}

TEST_F(DownloadCoreTest, StartFailuresCompleteAtOnceAndOnlyOnce) {
  struct Case {
    const char* name;
    DownloadFactory factory;
    HRESULT startResult;
    bool lateCompletion;
  } cases[] = {
      {"download object cannot be made", CannotMake, S_OK, false},
      {"start fails", MakeScripted, E_FAIL, false},
      {"start fails and still calls back", MakeScripted, INET_E_UNKNOWN_PROTOCOL, true},
  };
  for (const Case& c : cases) {
    auto local = std::make_shared<DownloadCore>(c.factory);
    {
      std::lock_guard<std::mutex> guard(ScriptedDownload::lock);
      ScriptedDownload::script.startResult = c.startResult;
      ScriptedDownload::script.completeInStart = c.lateCompletion;
    }
    auto* result = new CountingResult;
    ASSERT_TRUE(local->EnqueueTask(HttpVerbGet, u"http://x/", nullptr, 0, nullptr, DeliverToBuffer, result));
    EXPECT_EQ(WaitForSingleObject(result->event, 5000), WAIT_OBJECT_0) << c.name;
    // A null result object is accepted too, and the worker goes on.
    EXPECT_TRUE(local->EnqueueTask(HttpVerbGet, u"http://y/", nullptr, 0, nullptr, DeliverToBuffer, nullptr));
    Sleep(100);  // room for a second report, which must not come
    EXPECT_EQ(result->reports, 1) << c.name;
    EXPECT_EQ(result->status, 0) << c.name;
    local->StopWorker(5000);
    result->Release();
  }
}

constexpr UINT WM_FAULT = WM_USER + 60;
constexpr UINT WM_NOTE = WM_USER + 61;
std::atomic<DWORD> g_notedOn{0};

LRESULT CALLBACK WorkerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_FAULT) throw std::runtime_error("handler fault");
  if (message == WM_NOTE) g_notedOn = GetCurrentThreadId();
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

TEST_F(DownloadCoreTest, WindowsOnTheWorkerGetTheirMessagesAndAFaultDoesNotEndIt) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = WorkerWindowProc;
  wc.lpszClassName = u"QuorlaWorkerWindow";
  RegisterClassW(&wc);
  {
    std::lock_guard<std::mutex> guard(ScriptedDownload::lock);
    ScriptedDownload::script.completeInStart = false;
    ScriptedDownload::script.onStart = [] {
      HWND hwnd = CreateWindowExW(0, u"QuorlaWorkerWindow", u"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                  nullptr);
      PostMessageW(hwnd, WM_FAULT, 0, 0);
      PostMessageW(hwnd, WM_NOTE, 0, 0);
    };
  }
  ASSERT_TRUE(core->EnqueueTask(HttpVerbGet, u"http://x/", nullptr, 0, nullptr, DeliverToBuffer, nullptr));
  for (int i = 0; i < 500 && !g_notedOn; ++i) Sleep(10);
  EXPECT_EQ(g_notedOn.load(), core->WorkerThreadId());
  // The worker still serves requests.
  {
    std::lock_guard<std::mutex> guard(ScriptedDownload::lock);
    ScriptedDownload::script = Script{};
  }
  auto* result = new CountingResult;
  ASSERT_TRUE(core->EnqueueTask(HttpVerbGet, u"http://z/", nullptr, 0, nullptr, DeliverToBuffer, result));
  EXPECT_EQ(WaitForSingleObject(result->event, 5000), WAIT_OBJECT_0);
  result->Release();
}

TEST_F(DownloadCoreTest, StoppingAbortsWhatIsInFlightWithoutReporting) {
  {
    std::lock_guard<std::mutex> guard(ScriptedDownload::lock);
    ScriptedDownload::script.completeInStart = false;  // never finishes by itself
  }
  auto* result = new CountingResult;
  ASSERT_TRUE(core->EnqueueTask(HttpVerbGet, u"http://x/", nullptr, 0, nullptr, DeliverToBuffer, result));
  for (int i = 0; i < 500; ++i) {
    {
      std::lock_guard<std::mutex> guard(ScriptedDownload::lock);
      if (!ScriptedDownload::starts.empty()) break;
    }
    Sleep(10);
  }
  Sleep(50);
  auto start = GetTickCount64();
  core->StopWorker(5000);
  EXPECT_LT(GetTickCount64() - start, 2000u);
  EXPECT_EQ(ScriptedDownload::aborts, 1);
  EXPECT_EQ(result->reports, 0);
  EXPECT_EQ(result->references, 1u) << "the queue let go of the result";
  result->Release();
}

TEST_F(DownloadCoreTest, AnOwnerThatStopsWaitingLeavesTheWorkerItsState) {
  std::atomic<bool> release{false};
  {
    std::lock_guard<std::mutex> guard(ScriptedDownload::lock);
    ScriptedDownload::script.completeInStart = false;
    ScriptedDownload::script.onStart = [&release] {
      while (!release) Sleep(5);  // the worker is busy past the owner's patience
    };
  }
  auto* result = new CountingResult;
  ASSERT_TRUE(core->EnqueueTask(HttpVerbGet, u"http://x/", nullptr, 0, nullptr, DeliverToBuffer, result));
  while (true) {
    std::lock_guard<std::mutex> guard(ScriptedDownload::lock);
    if (!ScriptedDownload::starts.empty()) break;
  }
  core->StopWorker(50);  // gives up on the worker
  core.reset();          // the owner lets go; the worker still holds the state
  EXPECT_EQ(ScriptedDownload::destroyed, 0) << "the request in flight is still the worker's";
  release = true;
  for (int i = 0; i < 500 && ScriptedDownload::destroyed == 0; ++i) Sleep(10);
  EXPECT_EQ(ScriptedDownload::destroyed, 1) << "the worker tore the state down when it ended";
  EXPECT_EQ(result->reports, 0);
  result->Release();
  core = std::make_shared<DownloadCore>(MakeScripted);  // for TearDown
}

}  // namespace
