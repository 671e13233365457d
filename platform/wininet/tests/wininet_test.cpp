#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "http_test_server.h"
#include "utf.h"
#include "win/last_error.h"
#include "win/urlmon.h"
#include "win/wininet.h"

namespace {

using quorla::testing::HttpTestServer;
using quorla::testing::PatternBytes;

constexpr DWORD kOpenFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_TRANSFER_BINARY;
static_assert(kOpenFlags == 0x80000002);

std::u16string Wide(const std::string& text) { return quorla::Utf8ToUtf16(text); }

// What one download gave: the open's error (0 when it opened), the status,
// the body and the size of each read.
struct Fetched {
  DWORD openError = 0;
  DWORD status = 0;
  std::string body;
  std::vector<DWORD> reads;
  DWORD readError = 0;
};

Fetched Fetch(HINTERNET session, const std::string& url, DWORD block = 1024) {
  Fetched result;
  HINTERNET file = InternetOpenUrlW(session, Wide(url).c_str(), nullptr, 0, kOpenFlags, 1);
  if (!file) {
    result.openError = GetLastError();
    return result;
  }
  DWORD size = sizeof result.status;
  EXPECT_TRUE(HttpQueryInfoW(file, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &result.status, &size, nullptr));
  EXPECT_EQ(size, sizeof(DWORD));
  std::vector<char> buffer(block);
  for (;;) {
    DWORD read = 0;
    if (!InternetReadFile(file, buffer.data(), block, &read)) {
      result.readError = GetLastError();
      break;
    }
    if (read == 0) break;
    result.reads.push_back(read);
    result.body.append(buffer.data(), read);
  }
  EXPECT_TRUE(InternetCloseHandle(file));
  return result;
}

// A port on which nothing listens.
int ClosedPort() {
  int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
  close(s);
  return ntohs(address.sin_port);
}

class WinInetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    icon_ = PatternBytes(3000);
    server_.ServeBody("/favicon.ico", icon_, 200, "image/x-icon");
    server_.ServeBody("/missing.ico", "not here", 404);
    server_.ServeBody("/broken.ico", "server error", 500);
    server_.ServeBody("/empty.ico", "", 200);
    server_.ServeRedirect("/to-missing", "/missing.ico");
    server_.ServeRedirect("/to-icon", "/favicon.ico", 301);
    server_.ServeRedirect("/to-file", "file:///etc/hostname");
    server_.ServeStalled("/stalled.ico");
    server_.Route("/agent", [](const quorla::testing::HttpRequest& request, quorla::testing::HttpResponder& out) {
      out.Respond(200, request.Header("user-agent"), "text/plain");
    });
    ASSERT_TRUE(server_.Start());
    session_ = InternetOpenW(u"QuorlaTest", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    ASSERT_NE(session_, nullptr);
  }
  void TearDown() override {
    if (session_) {
      EXPECT_TRUE(InternetCloseHandle(session_));
    }
    quorla::SetUrlTransferLimits(0, 0);
  }

  HttpTestServer server_;
  std::string icon_;
  HINTERNET session_ = nullptr;
};

TEST_F(WinInetTest, StatusesAndBodies) {
  struct Case {
    const char* path;
    DWORD status;
    bool bodyIsIcon;
  } cases[] = {
      {"/favicon.ico", 200, true},  {"/missing.ico", 404, false}, {"/broken.ico", 500, false},
      {"/to-missing", 404, false},  {"/to-icon", 200, true},       {"/empty.ico", 200, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    Fetched got = Fetch(session_, server_.Url(c.path));
    EXPECT_EQ(got.openError, 0u);
    EXPECT_EQ(got.status, c.status);
    EXPECT_EQ(got.readError, 0u);
    if (c.bodyIsIcon) {
      EXPECT_EQ(got.body, icon_);
      EXPECT_GE(got.reads.size(), 3u);  // 3000 bytes in blocks of at most 1024
      for (DWORD read : got.reads) EXPECT_LE(read, 1024u);
    }
  }
}

TEST_F(WinInetTest, RefusedAddressesFailWithTheirErrors) {
  struct Case {
    std::string url;
    DWORD error;
  } cases[] = {
      {"file:///etc/hostname", ERROR_INTERNET_UNRECOGNIZED_SCHEME},
      {"FILE:///etc/hostname", ERROR_INTERNET_UNRECOGNIZED_SCHEME},
      {"ftp://127.0.0.1/x", ERROR_INTERNET_UNRECOGNIZED_SCHEME},
      {"about:blank", ERROR_INTERNET_UNRECOGNIZED_SCHEME},
      {server_.Url("/to-file"), ERROR_INTERNET_UNRECOGNIZED_SCHEME},
      {"http://127.0.0.1:" + std::to_string(ClosedPort()) + "/favicon.ico", ERROR_INTERNET_CANNOT_CONNECT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    Fetched got = Fetch(session_, c.url);
    EXPECT_EQ(got.openError, c.error);
    EXPECT_TRUE(got.body.empty());
  }
}

TEST_F(WinInetTest, StalledServerFailsAfterTheLimitAndTheNextRequestRuns) {
  quorla::SetUrlTransferLimits(400, 0);
  const auto start = std::chrono::steady_clock::now();
  Fetched stalled = Fetch(session_, server_.Url("/stalled.ico"));
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(stalled.openError, 0u);
  EXPECT_EQ(stalled.status, 200u);
  EXPECT_EQ(stalled.readError, ERROR_INTERNET_TIMEOUT);
  EXPECT_LT(took, std::chrono::seconds(10));

  Fetched next = Fetch(session_, server_.Url("/favicon.ico"));
  EXPECT_EQ(next.status, 200u);
  EXPECT_EQ(next.body, icon_);
}

TEST_F(WinInetTest, ClosingARunningDownloadEndsItAtOnce) {
  HINTERNET file = InternetOpenUrlW(session_, Wide(server_.Url("/stalled.ico")).c_str(), nullptr, 0, kOpenFlags, 1);
  ASSERT_NE(file, nullptr);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(InternetCloseHandle(file));
  EXPECT_TRUE(InternetCloseHandle(session_));
  session_ = nullptr;
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST_F(WinInetTest, EachThreadBlocksOnItsOwnWithoutAMessageLoop) {
  // Two plain threads, none of which ever looks at a message queue.
  std::vector<Fetched> results(2);
  std::vector<std::thread> threads;
  for (int i = 0; i < 2; ++i) {
    threads.emplace_back([&, i] {
      HINTERNET session = InternetOpenW(u"QuorlaTest", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
      results[i] = Fetch(session, server_.Url("/favicon.ico"), 700);
      InternetCloseHandle(session);
    });
  }
  for (auto& thread : threads) thread.join();
  for (const Fetched& got : results) {
    EXPECT_EQ(got.status, 200u);
    EXPECT_EQ(got.body, icon_);
  }
}

TEST_F(WinInetTest, TheSessionsAgentIsTheUserAgent) {
  EXPECT_EQ(Fetch(session_, server_.Url("/agent")).body, "QuorlaTest");
}

TEST_F(WinInetTest, BadHandlesAndArgumentsFailWithTheirErrors) {
  HINTERNET file = InternetOpenUrlW(session_, Wide(server_.Url("/favicon.ico")).c_str(), nullptr, 0, kOpenFlags, 1);
  ASSERT_NE(file, nullptr);
  DWORD value = 0, size = sizeof value, read = 0;
  char buffer[16];
  int foreign = 0;
  HINTERNET session = session_;
  struct Case {
    const char* what;
    std::function<bool()> call;  // true when the call succeeded
    DWORD error;
  } cases[] = {
      {"open on a download handle",
       [&] { return InternetOpenUrlW(file, u"http://127.0.0.1/", nullptr, 0, kOpenFlags, 1) != nullptr; },
       ERROR_INTERNET_INCORRECT_HANDLE_TYPE},
      {"open on a foreign value",
       [&] { return InternetOpenUrlW(&foreign, u"http://127.0.0.1/", nullptr, 0, 0, 1) != nullptr; },
       ERROR_INVALID_HANDLE},
      {"unknown open flag",
       [&] { return InternetOpenUrlW(session, u"http://127.0.0.1/", nullptr, 0, 0x100, 1) != nullptr; },
       ERROR_INVALID_PARAMETER},
      {"extra headers",
       [&] { return InternetOpenUrlW(session, u"http://127.0.0.1/", u"X: y", 4, 0, 1) != nullptr; },
       ERROR_INVALID_PARAMETER},
      {"read from a session", [&] { return InternetReadFile(session, buffer, sizeof buffer, &read) != FALSE; },
       ERROR_INTERNET_INCORRECT_HANDLE_TYPE},
      {"read nothing", [&] { return InternetReadFile(file, buffer, 0, &read) != FALSE; }, ERROR_INVALID_PARAMETER},
      {"another query", [&] { return HttpQueryInfoW(file, 1, &value, &size, nullptr) != FALSE; },
       ERROR_HTTP_INVALID_QUERY_REQUEST},
      {"a short buffer",
       [&] {
         size = 2;
         return HttpQueryInfoW(file, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr) != FALSE;
       },
       ERROR_INSUFFICIENT_BUFFER},
      {"close a foreign value", [&] { return InternetCloseHandle(&foreign) != FALSE; }, ERROR_INVALID_HANDLE},
      {"direct access", [&] { return InternetOpenW(u"x", 1, nullptr, nullptr, 0) != nullptr; },
       ERROR_INVALID_PARAMETER},
      {"a named proxy", [&] { return InternetOpenW(u"x", 0, u"proxy:8080", nullptr, 0) != nullptr; },
       ERROR_INVALID_PARAMETER},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetLastError(0);
    EXPECT_FALSE(c.call());
    EXPECT_EQ(GetLastError(), c.error);
  }
  EXPECT_EQ(size, sizeof(DWORD));  // the short buffer learnt the size it needs
  EXPECT_TRUE(InternetCloseHandle(file));
  EXPECT_FALSE(InternetCloseHandle(file));  // closed once only
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

}  // namespace
