#pragma once
// A main window with real pages, for the tests of its tabs: made as the
// program makes it but without its start timer's first tab, over a local
// server that the engine uses as its HTTP proxy, so any http address the
// tests name (the start page, the shops' searches, pages of shop.test)
// reaches it and is written down.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "afx/string.h"
#include "http_test_server.h"
#include "main_frame_test_support.h"

namespace browser_test {

class TabsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  // Starts the stand-in proxy with the start page and the routes, and
  // points the engine at it.
  static void StartProxy(const std::function<void(quorla::testing::HttpTestServer&)>& routes);
  static std::string TitledPage(const std::string& title, const std::string& script = "");
  void SetUp() override;
  void TearDown() override;

  // A new window without tabs.
  void ResetTabs();
  // An address of the stand-in shop.
  static std::u16string Page(const char* path);
  static std::u16string Text(const CString& text) { return std::u16string(text.GetString()); }

  // Opens the address in a new tab and waits until it has loaded.
  void OpenAndWait(const std::u16string& address);
  void WaitLoaded(int tab);
  // Pumps the window's messages until the condition holds; false after
  // 20 seconds.
  bool WaitFor(const std::function<bool()>& condition);
  // As a click on the tab does: the strip's selection change.
  void SelectTab(int tab);

  std::u16string AddressBoxText();
  std::u16string Caption();
  bool IsEnabled(int navigationCommand);
  // Keys typed into the address box with the focus there, and Enter.
  void TypeIntoAddressBox(const std::u16string& text);
  void PressEnterInAddressBox();
  // The user's text in the search box, its hint gone.
  void SetSearchText(const std::u16string& text);

  // What the proxy was asked for: by the whole address (without the
  // query), or by the query.
  size_t requestsFor(const std::string& address);
  size_t requestsWithQuery(const std::string& query);

  static quorla::testing::HttpTestServer* server;
  std::unique_ptr<RecordingFrame> frame;
  HWND hwnd = nullptr;
};

}  // namespace browser_test
