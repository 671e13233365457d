#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>

#include "afx/internet_session.h"
#include "afx/menu.h"
#include "http_test_server.h"
#include "win/last_error.h"
#include "win/urlmon.h"

namespace {

using quorla::testing::HttpTestServer;
using quorla::testing::PatternBytes;

std::u16string Wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// What one OpenURL, status query and reading to the end gave; the error of
// the exception when one was thrown.
struct Outcome {
  DWORD status = 0;
  std::string body;
  DWORD thrownError = 0;
  DWORD_PTR thrownContext = 0;
};

Outcome Download(const std::string& url) {
  Outcome outcome;
  CInternetSession session(u"QuorlaTest", 7);
  try {
    std::unique_ptr<CHttpFile> file(session.OpenURL(Wide(url).c_str(), 7, INTERNET_FLAG_RELOAD | INTERNET_FLAG_TRANSFER_BINARY));
    EXPECT_TRUE(file->QueryInfoStatusCode(outcome.status));
    char block[1024];
    while (UINT read = file->Read(block, sizeof block)) outcome.body.append(block, read);
    file->Close();
    file->Close();  // once is enough; a second does nothing
  } catch (CInternetException* e) {
    outcome.thrownError = e->m_dwError;
    outcome.thrownContext = e->m_dwContext;
    e->Delete();
  }
  session.Close();
  return outcome;
}

TEST(InternetSessionTest, DownloadsStatusesAndFailures) {
  HttpTestServer server;
  const std::string icon = PatternBytes(2500);
  server.ServeBody("/favicon.ico", icon, 200, "image/x-icon");
  server.ServeBody("/gone.ico", "gone", 404);
  server.ServeRedirect("/to-file", "file:///etc/hostname");
  server.ServeStalled("/stalled.ico");
  ASSERT_TRUE(server.Start());
  quorla::SetUrlTransferLimits(300, 0);
  struct Case {
    std::string url;
    DWORD status;
    std::string body;
    DWORD thrown;
  } cases[] = {
      {server.Url("/favicon.ico"), 200, icon, 0},
      {server.Url("/gone.ico"), 404, "gone", 0},
      {server.Url("/to-file"), 0, "", ERROR_INTERNET_UNRECOGNIZED_SCHEME},
      {"file:///etc/hostname", 0, "", ERROR_INTERNET_UNRECOGNIZED_SCHEME},
      {server.Url("/stalled.ico"), 200, "", ERROR_INTERNET_TIMEOUT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    Outcome got = Download(c.url);
    EXPECT_EQ(got.status, c.status);
    EXPECT_EQ(got.thrownError, c.thrown);
    if (c.thrown) {
      EXPECT_EQ(got.thrownContext, 7u);
    } else {
      EXPECT_EQ(got.body, c.body);
    }
  }
  quorla::SetUrlTransferLimits(0, 0);
}

TEST(InternetSessionTest, AFileOutlivesItsClosedSession) {
  HttpTestServer server;
  server.ServeBody("/a", "body of a", 200);
  ASSERT_TRUE(server.Start());
  CInternetSession session;
  std::unique_ptr<CHttpFile> file(session.OpenURL(Wide(server.Url("/a")).c_str()));
  session.Close();
  char block[64];
  std::string body;
  while (UINT read = file->Read(block, sizeof block)) body.append(block, read);
  EXPECT_EQ(body, "body of a");
  file->Close();
  bool refused = false;
  try {
    file->Read(block, sizeof block);
  } catch (CInternetException* e) {
    refused = e->m_dwError == static_cast<DWORD>(ERROR_INVALID_HANDLE);
    e->Delete();
  }
  EXPECT_TRUE(refused) << "a closed file refuses reading";
}

TEST(MenuTest, OwnsItsMenuAndGivesSubmenusToTheParent) {
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  EXPECT_FALSE(menu.CreatePopupMenu());  // holds one already
  CMenu sub;
  ASSERT_TRUE(sub.CreatePopupMenu());
  EXPECT_TRUE(sub.AppendMenu(MF_STRING, 1170, u"link"));
  EXPECT_TRUE(menu.AppendMenu(MF_STRING, 1171, u"other"));
  HMENU subHandle = sub.Detach();
  EXPECT_EQ(sub.m_hMenu, nullptr);
  EXPECT_TRUE(menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(subHandle), u"group"));
  EXPECT_EQ(menu.GetMenuItemCount(), 2u);
  HMENU handle = menu.m_hMenu;
  EXPECT_TRUE(menu.DestroyMenu());
  EXPECT_FALSE(IsMenu(handle));
  EXPECT_FALSE(IsMenu(subHandle));  // went with its parent
  EXPECT_FALSE(menu.DestroyMenu());
}

}  // namespace
