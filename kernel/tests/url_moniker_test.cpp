#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "gravik_objects.h"
#include "http_test_server.h"
#include "kernel/url_moniker.h"
#include "win/com.h"
#include "win/messages.h"
#include "win/time.h"
#include "win/urlmon.h"
#include "win/window_objects.h"

namespace {

using quorla::testing::HttpTestServer;
using quorla::testing::PatternBytes;

struct Completion {
  int calls = 0;
  int state = -1;
  int context = 0;
};
Completion g_completion;

int OnDone(int context, int state, int) {
  ++g_completion.calls;
  g_completion.state = state;
  g_completion.context = context;
  return 1;
}

std::u16string Wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// Pumps until the completion function ran or the time is up.
void PumpUntilDone(DWORD limitMs = 20000) {
  ULONGLONG deadline = GetTickCount64() + limitMs;
  while (g_completion.calls == 0 && GetTickCount64() < deadline) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 30, QS_POSTMESSAGE | QS_SENDMESSAGE);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

class UrlMonikerComponentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    g_completion = {};
    server.ServeBody("/page", "<html>price 12.50</html>");
    server.ServeBody("/one", "x");
    server.ServeBody("/empty", "");
    server.ServeBody("/missing", "<html>gone</html>", 404);
    server.ServeEcho("/echo");
    server.ServeStalled("/stalled");
    server.ServeSlow("/slow", PatternBytes(3000), 1000, 30);
    server.ServeCutShort("/cut", 10000, 3000);
    server.ServeCutShortChunked("/cut-chunked", 3000);
    server.ServeEndless("/endless");
    server.ServeRedirect("/to-file", "file:///etc/passwd");
    ASSERT_TRUE(server.Start());
  }
  void TearDown() override {
    quorla::SetUrlTransferLimits(0, 0);
    server.Stop();
    CoUninitialize();
  }
  S_COM::ComPtr<IUrlMoniker> Fetch(const std::string& url, const void* post = nullptr, unsigned postSize = 0,
                                   HRESULT* started = nullptr) {
    auto moniker = MakeGravik<IUrlMoniker>(u"CUrlMoniker");
    moniker->SetCallback(OnDone, 77);
    std::u16string wide = Wide(url);
    HRESULT hr = moniker->Start(wide.c_str(), post, postSize);
    if (started) *started = hr;
    if (SUCCEEDED(hr)) PumpUntilDone();
    return moniker;
  }
  std::string BodyOf(IUrlMoniker* moniker) {
    return moniker->GetData() ? std::string(moniker->GetData(), moniker->GetDataSize()) : std::string();
  }
  HttpTestServer server;
};

TEST_F(UrlMonikerComponentTest, DownloadsTable) {
  struct Case {
    const char* path;
    int state;
    std::string body;
  } cases[] = {
      {"/page", UrlStateDone, "<html>price 12.50</html>"},
      {"/one", UrlStateDone, "x"},
      {"/missing", UrlStateDone, "<html>gone</html>"},  // an error page is a body like any other
      {"/slow", UrlStateDone, PatternBytes(3000)},
      {"/empty", UrlStateDone, ""},
  };
  for (const Case& c : cases) {
    g_completion = {};
    auto moniker = Fetch(server.Url(c.path));
    EXPECT_EQ(g_completion.calls, 1) << c.path;
    EXPECT_EQ(g_completion.context, 77);
    EXPECT_EQ(g_completion.state, c.state) << c.path;
    EXPECT_EQ(moniker->GetState(), c.state);
    EXPECT_EQ(BodyOf(moniker.Get()), c.body) << c.path;
    if (!c.body.empty()) {
      EXPECT_EQ(moniker->GetData()[c.body.size()], 0) << "a NUL follows the body";
    } else {
      EXPECT_EQ(moniker->GetData(), nullptr);
    }
  }
}

TEST_F(UrlMonikerComponentTest, PostCarriesTheFormTypeOnlyWithData) {
  struct Case {
    const char* data;
    unsigned size;
    std::string expected;
  } cases[] = {
      {"q=shoes&page=2", 14, "POST\napplication/x-www-form-urlencoded\nq=shoes&page=2"},
      {nullptr, 5, "GET\n\n"},
      {"ignored", 0, "GET\n\n"},
  };
  for (const Case& c : cases) {
    g_completion = {};
    auto moniker = Fetch(server.Url("/echo"), c.data, c.size);
    EXPECT_EQ(BodyOf(moniker.Get()), c.expected);
  }
}

TEST_F(UrlMonikerComponentTest, StartWhileRunningIsRefusedAndAbortStops) {
  auto moniker = MakeGravik<IUrlMoniker>(u"CUrlMoniker");
  EXPECT_EQ(moniker->SetCallback(nullptr, 0), E_FAIL);
  EXPECT_EQ(moniker->Abort(), E_INVALIDARG) << "nothing to abort yet";
  moniker->SetCallback(OnDone, 1);
  std::u16string stalled = Wide(server.Url("/stalled"));
  ASSERT_TRUE(SUCCEEDED(moniker->Start(stalled.c_str(), nullptr, 0)));
  EXPECT_EQ(moniker->GetState(), UrlStateRunning);
  std::u16string page = Wide(server.Url("/page"));
  EXPECT_EQ(moniker->Start(page.c_str(), nullptr, 0), E_FAIL);
  EXPECT_EQ(moniker->GetState(), UrlStateRunning);
  // Let the first bytes arrive so that a binding is held, then abort.
  ULONGLONG until = GetTickCount64() + 200;
  while (GetTickCount64() < until) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_POSTMESSAGE);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  EXPECT_EQ(moniker->Abort(), S_OK);
  PumpUntilDone();
  EXPECT_EQ(g_completion.calls, 1);
  EXPECT_EQ(moniker->GetState(), UrlStateFailed);
  EXPECT_EQ(moniker->GetData(), nullptr);
  EXPECT_EQ(moniker->GetDataSize(), 0u);
  // A stopped object starts again after a reset.
  g_completion = {};
  ASSERT_TRUE(SUCCEEDED(moniker->Start(page.c_str(), nullptr, 0)));
  PumpUntilDone();
  EXPECT_EQ(BodyOf(moniker.Get()), "<html>price 12.50</html>");
}

TEST_F(UrlMonikerComponentTest, BadInputEndsFailedAndPromptly) {
  quorla::SetUrlTransferLimits(1000, 1u << 20);
  struct Case {
    std::string url;
  } cases[] = {
      {"no address at all"}, {"file:///etc/passwd"}, {"ftp://127.0.0.1/file"}, {"http://127.0.0.1:1/"},
      {server.Url("/cut")},  {server.Url("/cut-chunked")}, {server.Url("/endless")}, {server.Url("/stalled")},
      {server.Url("/to-file")},
  };
  for (const Case& c : cases) {
    g_completion = {};
    auto start = std::chrono::steady_clock::now();
    HRESULT started = S_OK;
    auto moniker = Fetch(c.url, nullptr, 0, &started);
    EXPECT_EQ(moniker->GetState(), UrlStateFailed) << c.url;
    EXPECT_EQ(g_completion.calls, SUCCEEDED(started) ? 1 : 0) << c.url;
    EXPECT_EQ(moniker->GetData(), nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << c.url;
  }
}

TEST_F(UrlMonikerComponentTest, AuthenticateGivesAnOwnerOnlyUntilTheFirstDownloadStopped) {
  auto moniker = MakeGravik<IUrlMoniker>(u"CUrlMoniker");
  S_COM::ComPtr<IAuthenticate> authenticate;
  ASSERT_EQ(moniker->QueryInterface(IID_IAuthenticate, authenticate.PutVoid()), S_OK);
  auto garbage = reinterpret_cast<LPWSTR>(0x1);
  HWND window = reinterpret_cast<HWND>(0x1);
  LPWSTR user = garbage, password = garbage;
  EXPECT_EQ(authenticate->Authenticate(&window, &user, &password), S_OK);
  EXPECT_EQ(user, nullptr);
  EXPECT_EQ(password, nullptr);
  // Each test case runs in a process of its own, so no download has stopped
  // yet, unless the whole suite runs in one process.
  EXPECT_TRUE(window == GetDesktopWindow() || window == nullptr) << "no VXBrowser window and no active window";
  Fetch(server.Url("/one"));
  window = reinterpret_cast<HWND>(0x1);
  EXPECT_EQ(authenticate->Authenticate(&window, &user, &password), S_OK);
  EXPECT_EQ(window, nullptr);
}

// A stream that records the sizes asked for and hands out a fixed text.
class ScriptedStream final : public IStream {
 public:
  explicit ScriptedStream(std::string data) : data_(std::move(data)) {}
  std::vector<ULONG> asked;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG count, ULONG* read) override {
    asked.push_back(count);
    ULONG n = static_cast<ULONG>(std::min<size_t>(count, data_.size() - at_));
    std::memcpy(buffer, data_.data() + at_, n);
    at_ += n;
    *read = n;
    return n ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Stat(STATSTG*, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }
  ULONG refs = 1;

 private:
  std::string data_;
  size_t at_ = 0;
};

TEST(UrlMonikerCallbacks, ReadSizeFollowsTheAnnouncedCountWithinBounds) {
  struct Case {
    DWORD available;
    size_t dataSize;
    ULONG firstRead;
  } cases[] = {
      {1, 1, 4096},                     // a 1-byte page is read with a 4096-byte block
      {4095, 100, 4096},
      {5000, 5000, 5000},
      {20u << 20, 100, 10485760},       // capped at 10 MiB
  };
  for (const Case& c : cases) {
    auto moniker = MakeGravik<IUrlMoniker>(u"CUrlMoniker");
    S_COM::ComPtr<IBindStatusCallback> callback;
    ASSERT_EQ(moniker->QueryInterface(IID_IBindStatusCallback, callback.PutVoid()), S_OK);
    ScriptedStream stream(std::string(c.dataSize, 'z'));
    STGMEDIUM medium{};
    medium.tymed = TYMED_ISTREAM;
    medium.pstm = &stream;
    EXPECT_EQ(callback->OnDataAvailable(BSCF_FIRSTDATANOTIFICATION | BSCF_LASTDATANOTIFICATION, c.available,
                                        nullptr, &medium),
              S_FALSE);
    ASSERT_FALSE(stream.asked.empty());
    EXPECT_EQ(stream.asked.front(), c.firstRead) << c.available;
    EXPECT_EQ(callback->OnStopBinding(S_OK, nullptr), S_OK);
    EXPECT_EQ(moniker->GetState(), UrlStateDone);
    ASSERT_EQ(moniker->GetDataSize(), c.dataSize);
    EXPECT_EQ(moniker->GetData()[c.dataSize], 0);
    EXPECT_EQ(stream.refs, 1u) << "the stream is released when the binding stops";
  }
}

TEST(UrlMonikerCallbacks, WithoutAFirstDataStreamNothingIsRead) {
  auto moniker = MakeGravik<IUrlMoniker>(u"CUrlMoniker");
  S_COM::ComPtr<IBindStatusCallback> callback;
  moniker->QueryInterface(IID_IBindStatusCallback, callback.PutVoid());
  ScriptedStream stream("abc");
  STGMEDIUM medium{};
  medium.tymed = TYMED_ISTREAM;
  medium.pstm = &stream;
  EXPECT_EQ(callback->OnDataAvailable(BSCF_INTERMEDIATEDATANOTIFICATION, 3, nullptr, &medium), S_OK);
  EXPECT_TRUE(stream.asked.empty());
  callback->OnStopBinding(E_ABORT, nullptr);
  EXPECT_EQ(moniker->GetState(), UrlStateFailed);
}

TEST(UrlMonikerCallbacks, BindInfoAndNegotiationArguments) {
  auto moniker = MakeGravik<IUrlMoniker>(u"CUrlMoniker");
  S_COM::ComPtr<IBindStatusCallback> callback;
  S_COM::ComPtr<IHttpNegotiate> negotiate;
  moniker->QueryInterface(IID_IBindStatusCallback, callback.PutVoid());
  moniker->QueryInterface(IID_IHttpNegotiate, negotiate.PutVoid());
  DWORD flags = 0;
  BINDINFO info{};
  EXPECT_EQ(callback->GetBindInfo(&flags, nullptr), E_INVALIDARG);
  EXPECT_EQ(callback->GetBindInfo(&flags, &info), E_INVALIDARG) << "size field 0";
  info.cbSize = sizeof info;
  EXPECT_EQ(callback->GetBindInfo(nullptr, &info), E_INVALIDARG);
  info.dwBindVerb = 99;
  EXPECT_EQ(callback->GetBindInfo(&flags, &info), S_OK);
  EXPECT_EQ(flags, 0xB3u);
  EXPECT_EQ(info.dwBindVerb, BINDVERB_GET);
  EXPECT_EQ(info.cbSize, sizeof info);
  LONG priority = 5;
  EXPECT_EQ(callback->GetPriority(nullptr), E_INVALIDARG);
  EXPECT_EQ(callback->GetPriority(&priority), S_OK);
  EXPECT_EQ(priority, 0);
  EXPECT_EQ(negotiate->BeginningTransaction(u"http://x/", nullptr, 0, nullptr), E_POINTER);
  LPWSTR extra = reinterpret_cast<LPWSTR>(0x1);
  EXPECT_EQ(negotiate->BeginningTransaction(u"http://x/", nullptr, 0, &extra), S_OK);
  EXPECT_EQ(extra, nullptr) << "a GET adds no headers";
  EXPECT_EQ(negotiate->OnResponse(200, nullptr, nullptr, nullptr), E_POINTER);
  extra = reinterpret_cast<LPWSTR>(0x1);
  EXPECT_EQ(negotiate->OnResponse(500, nullptr, nullptr, &extra), S_OK);
  EXPECT_EQ(extra, nullptr);
}

}  // namespace
