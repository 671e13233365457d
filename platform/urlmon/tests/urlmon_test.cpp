#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "http_test_server.h"
#include "tls_test_server.h"
#include "win/com.h"
#include "win/messages.h"
#include "win/threads.h"
#include "win/time.h"
#include "win/urlmon.h"
#include "win/waits.h"

namespace {

using quorla::testing::HttpTestServer;
using quorla::testing::PatternBytes;

// A status callback that records what the layer tells it and reads the data
// as the contract says, checking the contract on the way.
class Recorder final : public IBindStatusCallback, public IHttpNegotiate, public IAuthenticate {
 public:
  std::string postData;
  bool post = false;
  std::u16string extraHeaders;
  bool abortOnFirstData = false;

  std::string body;
  std::vector<DWORD> dataFlags;
  std::vector<DWORD> announced;
  std::vector<DWORD> threads;
  DWORD status = 0;
  int authenticateCalls = 0;
  int stops = 0;
  HRESULT stopResult = S_OK;
  bool contractBroken = false;
  IBinding* binding = nullptr;
  std::atomic<LONG> references{1};

  ~Recorder() {
    if (binding) binding->Release();
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IBindStatusCallback)) {
      *out = static_cast<IBindStatusCallback*>(this);
    } else if (IsEqualIID(iid, IID_IHttpNegotiate)) {
      *out = static_cast<IHttpNegotiate*>(this);
    } else if (IsEqualIID(iid, IID_IAuthenticate)) {
      *out = static_cast<IAuthenticate*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }  // lives on the test's stack

  HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding* b) override {
    threads.push_back(GetCurrentThreadId());
    b->AddRef();
    binding = b;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnProgress(ULONG, ULONG, ULONG, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT result, LPCWSTR) override {
    threads.push_back(GetCurrentThreadId());
    ++stops;
    stopResult = result;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* flags, BINDINFO* info) override {
    *flags = BINDF_ASYNCHRONOUS | BINDF_ASYNCSTORAGE | BINDF_PULLDATA;
    ULONG size = info->cbSize;
    std::memset(info, 0, size);
    info->cbSize = size;
    info->dwBindVerb = post ? BINDVERB_POST : BINDVERB_GET;
    if (post) {
      HGLOBAL block = GlobalAlloc(GHND, postData.size());
      std::memcpy(GlobalLock(block), postData.data(), postData.size());
      GlobalUnlock(block);
      info->stgmedData.tymed = TYMED_HGLOBAL;
      info->stgmedData.hGlobal = block;
      info->cbstgmedData = static_cast<DWORD>(postData.size());
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD flags, DWORD size, FORMATETC*, STGMEDIUM* medium) override {
    threads.push_back(GetCurrentThreadId());
    dataFlags.push_back(flags);
    announced.push_back(size);
    if (dataFlags.size() == 1 && (!(flags & BSCF_FIRSTDATANOTIFICATION) || medium->tymed != TYMED_ISTREAM))
      contractBroken = true;
    if (abortOnFirstData) {
      binding->Abort();
      return S_OK;
    }
    char buffer[3000];
    for (;;) {
      ULONG read = 0;
      HRESULT hr = medium->pstm->Read(buffer, sizeof buffer, &read);
      if (hr == S_OK && read == 0) contractBroken = true;
      body.append(buffer, read);
      if (hr != S_OK) break;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

  HRESULT STDMETHODCALLTYPE BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* additional) override {
    *additional = nullptr;
    if (!extraHeaders.empty()) {
      size_t bytes = (extraHeaders.size() + 1) * sizeof(WCHAR);
      *additional = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
      std::memcpy(*additional, extraHeaders.c_str(), bytes);
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnResponse(DWORD code, LPCWSTR, LPCWSTR, LPWSTR* additional) override {
    *additional = nullptr;
    status = code;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Authenticate(HWND* window, LPWSTR* user, LPWSTR* password) override {
    ++authenticateCalls;
    *window = nullptr;
    *user = nullptr;
    *password = nullptr;
    return S_OK;
  }
};

// Starts binding url to a stream with the recorder; BindToStorage's result.
HRESULT Bind(const std::string& url, Recorder& recorder) {
  std::u16string wide(url.begin(), url.end());
  IMoniker* moniker = nullptr;
  HRESULT hr = CreateURLMoniker(nullptr, wide.c_str(), &moniker);
  if (FAILED(hr)) return hr;
  IBindCtx* context = nullptr;
  CreateBindCtx(0, &context);
  RegisterBindStatusCallback(context, &recorder, nullptr, 0);
  void* object = nullptr;
  hr = moniker->BindToStorage(context, nullptr, IID_IStream, &object);
  moniker->Release();
  context->Release();
  return hr;
}

// Pumps this thread's messages until done() holds or the time runs out.
template <class Done>
void PumpUntil(Done done, DWORD limitMs) {
  ULONGLONG deadline = GetTickCount64() + limitMs;
  while (!done() && GetTickCount64() < deadline) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 30, QS_POSTMESSAGE | QS_SENDMESSAGE);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

// Binds url and pumps until the binding stops; BindToStorage's result.
HRESULT Download(const std::string& url, Recorder& recorder, DWORD limitMs = 20000) {
  HRESULT hr = Bind(url, recorder);
  if (SUCCEEDED(hr)) PumpUntil([&] { return recorder.stops != 0; }, limitMs);
  return hr;
}

class UrlMonikerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    server.ServeBody("/page", "<html>hello</html>");
    server.ServeBody("/one", "x");
    server.ServeBody("/empty", "");
    server.ServeBody("/missing", "<html>not here</html>", 404);
    server.Route("/big", [](const quorla::testing::HttpRequest&, quorla::testing::HttpResponder& out) {
      out.Respond(200, PatternBytes(20u << 20), "application/octet-stream");
    });
    server.ServeSlow("/slow", PatternBytes(5000), 1000, 40);
    server.ServeStalled("/stalled");
    server.ServeEcho("/echo");
    server.ServeRedirect("/moved", "/page");
    server.ServeRedirect("/loop", "/loop");
    server.ServeRedirect("/to-file", "file:///etc/passwd");
    server.ServeUnauthorized("/secret", "<html>log in</html>");
    server.ServeCutShort("/cut", 10000, 4000);
    server.ServeCutShortChunked("/cut-chunked", 4000);
    server.ServeEndless("/endless");
    server.ServeGzip("/zipped", PatternBytes(100000));
    ASSERT_TRUE(server.Start());
  }
  void TearDown() override {
    quorla::SetUrlTransferLimits(0, 0);
    server.Stop();
    CoUninitialize();
  }
  HttpTestServer server;
};

TEST_F(UrlMonikerTest, BodiesArriveWholeOnTheBindingThread) {
  struct Case {
    const char* path;
    std::string body;
    DWORD status;
  } cases[] = {
      {"/page", "<html>hello</html>", 200},
      {"/one", "x", 200},
      {"/missing", "<html>not here</html>", 404},
      {"/moved", "<html>hello</html>", 200},
      {"/zipped", PatternBytes(100000), 200},
      {"/slow", PatternBytes(5000), 200},
      {"/big", PatternBytes(20u << 20), 200},
      {"/empty", "", 200},
  };
  for (const Case& c : cases) {
    Recorder recorder;
    EXPECT_EQ(Download(server.Url(c.path), recorder, 60000), MK_S_ASYNCHRONOUS) << c.path;
    EXPECT_EQ(recorder.stops, 1) << c.path;
    EXPECT_EQ(recorder.stopResult, S_OK) << c.path;
    EXPECT_EQ(recorder.status, c.status) << c.path;
    EXPECT_TRUE(recorder.body == c.body) << c.path << " got " << recorder.body.size() << " bytes";
    EXPECT_FALSE(recorder.contractBroken) << c.path;
    ASSERT_FALSE(recorder.dataFlags.empty());
    EXPECT_TRUE(recorder.dataFlags.back() & BSCF_LASTDATANOTIFICATION);
    for (DWORD thread : recorder.threads) EXPECT_EQ(thread, GetCurrentThreadId()) << c.path;
    for (size_t i = 1; i < recorder.announced.size(); ++i)
      EXPECT_GE(recorder.announced[i], recorder.announced[i - 1]) << "announced sizes are cumulative";
  }
}

TEST_F(UrlMonikerTest, PostSendsTheDataAndTheNegotiatedHeaders) {
  struct Case {
    bool post;
    std::string data;
    std::u16string headers;
    std::string expected;
  } cases[] = {
      {true, "a=1&b=2", u"Content-Type: application/x-www-form-urlencoded\r\n",
       "POST\napplication/x-www-form-urlencoded\na=1&b=2"},
      {true, "raw", u"", "POST\n\nraw"},
      {false, "", u"", "GET\n\n"},
  };
  for (const Case& c : cases) {
    Recorder recorder;
    recorder.post = c.post;
    recorder.postData = c.data;
    recorder.extraHeaders = c.headers;
    Download(server.Url("/echo"), recorder);
    EXPECT_EQ(recorder.body, c.expected);
  }
}

TEST_F(UrlMonikerTest, UnauthorizedAsksIAuthenticateAndDeliversTheBody) {
  Recorder recorder;
  Download(server.Url("/secret"), recorder);
  EXPECT_EQ(recorder.authenticateCalls, 1);
  EXPECT_EQ(recorder.status, 401u);
  EXPECT_EQ(recorder.stopResult, S_OK);
  EXPECT_EQ(recorder.body, "<html>log in</html>");
}

TEST_F(UrlMonikerTest, BadAddressesAndBrokenTransfersFail) {
  quorla::SetUrlTransferLimits(1000, 1u << 20);
  struct Case {
    std::string url;
    bool failsAtOnce;
  } cases[] = {
      {"not an address", true},
      {"file:///etc/passwd", true},
      {"ftp://127.0.0.1/x", true},
      {"http://127.0.0.1:1/", false},
      {server.Url("/to-file"), false},
      {server.Url("/loop"), false},
      {server.Url("/cut"), false},
      {server.Url("/cut-chunked"), false},
      {server.Url("/endless"), false},
      {server.Url("/stalled"), false},
      {"http://[::1/", false},
  };
  for (const Case& c : cases) {
    Recorder recorder;
    auto start = std::chrono::steady_clock::now();
    HRESULT hr = Download(c.url, recorder);
    if (c.failsAtOnce) {
      EXPECT_TRUE(FAILED(hr)) << c.url;
      EXPECT_EQ(recorder.stops, 0) << c.url;
    } else {
      EXPECT_EQ(hr, MK_S_ASYNCHRONOUS) << c.url;
      EXPECT_EQ(recorder.stops, 1) << c.url;
      EXPECT_TRUE(FAILED(recorder.stopResult)) << c.url;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << c.url;
  }
}

TEST_F(UrlMonikerTest, AbortEndsTheBindingWithAFailure) {
  Recorder recorder;
  recorder.abortOnFirstData = true;
  Download(server.Url("/stalled"), recorder);
  EXPECT_EQ(recorder.stops, 1);
  EXPECT_EQ(recorder.stopResult, E_ABORT);
  EXPECT_EQ(recorder.binding->Abort(), INET_E_RESULT_DISPATCHED);
}

TEST_F(UrlMonikerTest, TransfersOfOneThreadRunSideBySide) {
  // The server answers only once all ten requests are open at the same time;
  // transfers run one after another would each be answered "alone".
  constexpr int kCount = 10;
  struct Meeting {
    std::mutex lock;
    std::condition_variable arrived;
    int open = 0;
  };
  auto meeting = std::make_shared<Meeting>();  // outlives this test body if a handler is still waiting
  server.Route("/together", [meeting](const quorla::testing::HttpRequest&, quorla::testing::HttpResponder& out) {
    std::unique_lock<std::mutex> guard(meeting->lock);
    ++meeting->open;
    meeting->arrived.notify_all();
    bool all = meeting->arrived.wait_for(guard, std::chrono::seconds(5), [&] { return meeting->open >= kCount; });
    guard.unlock();
    out.Respond(200, all ? "together" : "alone");
  });
  std::vector<Recorder> recorders(kCount);
  for (auto& recorder : recorders) ASSERT_EQ(Bind(server.Url("/together"), recorder), MK_S_ASYNCHRONOUS);
  PumpUntil([&] { return std::all_of(recorders.begin(), recorders.end(), [](auto& r) { return r.stops != 0; }); },
            20000);
  for (auto& r : recorders) EXPECT_EQ(r.body, "together");
}

TEST_F(UrlMonikerTest, AThreadThatEndsMidTransferReleasesItsCallbacks) {
  Recorder recorder;
  std::thread([&] {
    CoInitialize(nullptr);
    Bind(server.Url("/stalled"), recorder);
    CoUninitialize();
  }).join();
  EXPECT_EQ(recorder.stops, 0);
  EXPECT_EQ(recorder.references.load(), 1) << "only the test's own reference is left";
  EXPECT_EQ(recorder.binding->Abort(), INET_E_RESULT_DISPATCHED);
}

}  // namespace

namespace {

TEST(UrlMonikerTls, HttpsSpeaksToATrustedServerOnly) {
  quorla::testing::TlsTestServer tls;
  if (!tls.Start()) GTEST_SKIP() << "no openssl tool to run a local TLS server";
  CoInitialize(nullptr);
  struct Case {
    bool trusted;
    bool succeeds;
  } cases[] = {{true, true}, {false, false}};
  for (const Case& c : cases) {
    quorla::SetUrlTrustedCertificates(c.trusted ? tls.CertificateFile().c_str() : nullptr);
    Recorder recorder;
    EXPECT_EQ(Download(tls.Url("/"), recorder), MK_S_ASYNCHRONOUS);
    EXPECT_EQ(recorder.stops, 1);
    EXPECT_EQ(SUCCEEDED(recorder.stopResult), c.succeeds) << "trusted " << c.trusted;
    if (c.succeeds) {
      EXPECT_EQ(recorder.status, 200u);
      EXPECT_NE(recorder.body.find("s_server"), std::string::npos) << recorder.body.substr(0, 200);
    }
  }
  quorla::SetUrlTrustedCertificates(nullptr);
  CoUninitialize();
}

}  // namespace
