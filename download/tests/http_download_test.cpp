// The download queue end to end: Pelmor.dll and Gravik.dll as deployed,
// against a local HTTP server.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "deployed_modules.h"
#include "download/http_download.h"
#include "http_test_server.h"
#include "kernel/binary_buffer.h"
#include "win/events.h"
#include "win/handles.h"
#include "win/messages.h"
#include "win/time.h"
#include "win/urlmon.h"
#include "win/waits.h"
#include "win/window_objects.h"

namespace {

using quorla::testing::HttpTestServer;
using quorla::testing::PatternBytes;

std::u16string Wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// One request's result object with its event.
struct Pending {
  Pending() : event(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    result = MakeDeployed<IFAsyncResult>("Gravik.dll", u"CFAsyncResult");
    result->SetNotifyEvent(event);
  }
  ~Pending() { CloseHandle(event); }
  bool Wait(DWORD ms = 20000) { return WaitForSingleObject(event, ms) == WAIT_OBJECT_0; }
  int Status() {
    int status = -1;
    result->GetResult(&status, nullptr);
    return status;
  }
  // The delivered buffer, if any.
  S_COM::ComPtr<IBinaryBuffer> Buffer() {
    S_COM::ComPtr<IUnknown> object;
    result->GetResult(nullptr, object.Put());
    S_COM::ComPtr<IBinaryBuffer> buffer;
    if (object) object->QueryInterface(IID_IBinaryBuffer, buffer.PutVoid());
    return buffer;
  }
  std::string Body() {
    auto buffer = Buffer();
    return buffer && buffer->GetBuffer() ? std::string(buffer->GetBuffer(), buffer->GetSize()) : std::string();
  }
  HANDLE event;
  S_COM::ComPtr<IFAsyncResult> result;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class HttpDownloadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server.ServeBody("/page", "<html>price 99.00</html>");
    server.ServeBody("/one", "x");
    server.ServeBody("/empty", "");
    server.ServeBody("/missing", "<html>not found</html>", 404);
    server.ServeEcho("/echo");
    server.ServeStalled("/stalled");
    server.ServeCutShort("/cut", 10000, 3000);
    server.ServeCutShortChunked("/cut-chunked", 3000);
    server.ServeEndless("/endless");
    server.ServeRedirect("/to-file", "file:///etc/passwd");
    server.ServeGzip("/zipped", PatternBytes(50000));
    ASSERT_TRUE(server.Start());
    download = MakeDeployed<IHttpDownload>("Pelmor.dll", u"CHttpDownload");
    ASSERT_TRUE(download);
    dir = testing::TempDir() + "quorla-download-" + std::to_string(getpid());
    std::string command = "mkdir -p '" + dir + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
  }
  void TearDown() override {
    quorla::SetUrlTransferLimits(0, 0);
    server.Stop();
  }
  HttpTestServer server;
  S_COM::ComPtr<IHttpDownload> download;
  std::string dir;
};

TEST_F(HttpDownloadTest, TheClassIsOneSharedInstance) {
  auto again = MakeDeployed<IHttpDownload>("Pelmor.dll", u"CHttpDownload");
  EXPECT_EQ(again.Get(), download.Get());
}

TEST_F(HttpDownloadTest, GetToBufferTable) {
  struct Case {
    const char* path;
    int status;
    bool buffer;
    std::string body;
  } cases[] = {
      {"/page", 1, true, "<html>price 99.00</html>"},
      {"/one", 1, true, "x"},
      {"/missing", 1, true, "<html>not found</html>"},  // an error page is delivered like any body
      {"/zipped", 1, true, PatternBytes(50000)},
      {"/empty", 0, true, ""},  // no block for an empty body: a failure, with the empty buffer
  };
  for (const Case& c : cases) {
    Pending pending;
    ASSERT_TRUE(download->GetToBuffer(Wide(server.Url(c.path)).c_str(), pending.result.Get()));
    ASSERT_TRUE(pending.Wait()) << c.path;
    EXPECT_EQ(pending.Status(), c.status) << c.path;
    auto buffer = pending.Buffer();
    EXPECT_EQ(static_cast<bool>(buffer), c.buffer) << c.path;
    EXPECT_TRUE(pending.Body() == c.body) << c.path;
    if (buffer && buffer->GetBuffer()) {
      EXPECT_EQ(buffer->GetBuffer()[buffer->GetSize()], 0);
    }
  }
}

TEST_F(HttpDownloadTest, BadInputFailsPromptlyWithStatusZero) {
  quorla::SetUrlTransferLimits(1000, 1u << 20);
  std::vector<std::string> urls = {"no address",          "file:///etc/passwd",        "ftp://127.0.0.1/x",
                                   "http://127.0.0.1:1/", server.Url("/cut"),          server.Url("/cut-chunked"),
                                   server.Url("/endless"), server.Url("/stalled"),     server.Url("/to-file")};
  // All at once: each fails on its own without holding up the others.
  std::vector<std::unique_ptr<Pending>> pending;
  auto start = std::chrono::steady_clock::now();
  for (const std::string& url : urls) {
    pending.push_back(std::make_unique<Pending>());
    ASSERT_TRUE(download->GetToBuffer(Wide(url).c_str(), pending.back()->result.Get()));
  }
  for (size_t i = 0; i < urls.size(); ++i) {
    ASSERT_TRUE(pending[i]->Wait(10000)) << urls[i];
    EXPECT_EQ(pending[i]->Status(), 0) << urls[i];
    EXPECT_FALSE(pending[i]->Buffer()) << urls[i];
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST_F(HttpDownloadTest, FilesTable) {
  struct Case {
    const char* path;
    int status;
    bool fileExists;
    std::string content;
  } cases[] = {
      {"/page", 1, true, "<html>price 99.00</html>"},
      {"/empty", 1, true, ""},  // an empty body makes an empty file
      {"/cut", 0, false, ""},   // a failed transfer writes no file
  };
  for (const Case& c : cases) {
    std::string path = dir + "/out" + std::string(c.path).substr(1) + ".html";
    std::remove(path.c_str());
    Pending pending;
    ASSERT_TRUE(download->GetToFile(Wide(server.Url(c.path)).c_str(), Wide(path).c_str(), pending.result.Get()));
    ASSERT_TRUE(pending.Wait()) << c.path;
    EXPECT_EQ(pending.Status(), c.status) << c.path;
    EXPECT_FALSE(pending.Buffer()) << "file delivery hands back no object";
    EXPECT_EQ(access(path.c_str(), F_OK) == 0, c.fileExists) << c.path;
    EXPECT_EQ(ReadFile(path), c.content) << c.path;
  }
}

TEST_F(HttpDownloadTest, PostsTable) {
  struct Case {
    const char* data;
    int length;
    std::string expected;
  } cases[] = {
      {"itemId=42&area=1", 16, "POST\napplication/x-www-form-urlencoded\nitemId=42&area=1"},
      {"", 0, "GET\n\n"},  // a POST without data goes out as a GET, without the form type
  };
  for (const Case& c : cases) {
    Pending pending;
    ASSERT_TRUE(download->PostToBuffer(Wide(server.Url("/echo")).c_str(), c.data, c.length, pending.result.Get()));
    ASSERT_TRUE(pending.Wait());
    EXPECT_EQ(pending.Body(), c.expected);
  }
  std::string path = dir + "/posted.txt";
  Pending toFile;
  ASSERT_TRUE(download->PostToFile(Wide(server.Url("/echo")).c_str(), "a=b", 3, Wide(path).c_str(),
                                   toFile.result.Get()));
  ASSERT_TRUE(toFile.Wait());
  EXPECT_EQ(ReadFile(path), "POST\napplication/x-www-form-urlencoded\na=b");
}

TEST_F(HttpDownloadTest, RefusedArguments) {
  Pending pending;
  EXPECT_FALSE(download->GetToBuffer(nullptr, pending.result.Get()));
  EXPECT_FALSE(download->PostToBuffer(u"http://127.0.0.1/", nullptr, 3, pending.result.Get()));
  EXPECT_FALSE(download->GetToFile(u"http://127.0.0.1/", nullptr, pending.result.Get()));
  EXPECT_FALSE(download->PostToFile(u"http://127.0.0.1/", "x", 1, nullptr, pending.result.Get()));
  EXPECT_FALSE(pending.Wait(50));
}

TEST_F(HttpDownloadTest, ANullResultObjectIsAccepted) {
  ASSERT_TRUE(download->GetToBuffer(Wide(server.Url("/one")).c_str(), nullptr));
  // The request goes out even though nobody hears of its end.
  Pending after;
  ASSERT_TRUE(download->GetToBuffer(Wide(server.Url("/page")).c_str(), after.result.Get()));
  ASSERT_TRUE(after.Wait());
  // The two run side by side: give the first its moment to reach the server.
  bool seen = false;
  for (int i = 0; i < 500 && !seen; ++i) {
    for (auto& request : server.Requests()) seen = seen || request.path == "/one";
    if (!seen) Sleep(10);
  }
  EXPECT_TRUE(seen);
}

TEST_F(HttpDownloadTest, NotificationByWindowMessage) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = u"QuorlaDownloadRequester";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, u"QuorlaDownloadRequester", u"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                nullptr);
  auto result = MakeDeployed<IFAsyncResult>("Gravik.dll", u"CFAsyncResult");
  result->SetNotifyWindow(window, WM_USER + 5);
  result->SetUserData(31);
  ASSERT_TRUE(download->GetToBuffer(Wide(server.Url("/page")).c_str(), result.Get()));
  MSG msg{};
  bool got = false;
  for (int i = 0; i < 2000 && !got; ++i) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_POSTMESSAGE);
    got = PeekMessageW(&msg, window, WM_USER + 5, WM_USER + 5, PM_REMOVE);
  }
  ASSERT_TRUE(got);
  int status = 0, data = 0;
  result->GetResult(&status, nullptr);
  result->GetUserData(&data);
  EXPECT_EQ(status, 1);
  EXPECT_EQ(data, 31);
  DestroyWindow(window);
}

TEST_F(HttpDownloadTest, ManyRequestsFromSeveralThreads) {
  constexpr int kThreads = 4, kEach = 25;
  std::vector<std::unique_ptr<Pending>> pending(kThreads * kEach);
  for (auto& p : pending) p = std::make_unique<Pending>();
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&, t] {
      for (int i = 0; i < kEach; ++i)
        EXPECT_TRUE(download->GetToBuffer(Wide(server.Url("/page")).c_str(), pending[t * kEach + i]->result.Get()));
    });
  for (auto& thread : threads) thread.join();
  for (auto& p : pending) {
    ASSERT_TRUE(p->Wait());
    EXPECT_EQ(p->Body(), "<html>price 99.00</html>");
  }
}

}  // namespace
