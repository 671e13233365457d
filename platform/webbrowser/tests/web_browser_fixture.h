#pragma once
// A WebBrowser control in a hidden top-level window, a sink that writes each
// event into a log, and a local server, for the control's tests. Each test
// process keeps the engine's profile in folders of its own
// (private_profile_folders.cpp).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "http_test_server.h"
#include "win/webbrowser.h"

namespace quorla_test {

struct BrowserEvent {
  std::string name;     // "BeforeNavigate2", "NavigateComplete2", ...
  bool topLevel = false;  // the dispatch was the control's own
  std::string text;     // address, title or status text; "2 1" for command states
  LONG readyState = -1; // the control's ready state when the event came
};

class RecordingSink;

class WebBrowserTest : public ::testing::Test {
  friend class RecordingSink;

 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs the loop until done() holds or the time runs out; false then.
  bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 15000);
  void PumpFor(int milliseconds);
  bool WaitForEvent(const std::string& name, size_t count = 1, int timeoutMs = 15000);

  HRESULT Navigate(const std::u16string& address);
  LONG ReadyState();
  std::u16string LocationUrl();
  std::u16string LocationName();
  size_t Count(const std::string& name) const;
  // The events of the given names, in order, as "name top|frame text".
  std::vector<std::string> Sequence(const std::vector<std::string>& names) const;
  std::vector<std::string> RequestedPaths();

  quorla::testing::HttpTestServer server;
  HWND host = nullptr;
  HWND window = nullptr;
  IWebBrowser2* browser = nullptr;
  RecordingSink* sink = nullptr;
  std::vector<BrowserEvent> events;
  // Answers BeforeNavigate2 with cancel when it returns true.
  std::function<bool(const BrowserEvent&)> cancelWhen;
  // Runs inside each event, after it was logged.
  std::function<void(const BrowserEvent&)> onEvent;

 private:
  DWORD cookie_ = 0;
};

std::string Narrow(const std::u16string& text);
std::u16string Wide(const std::string& text);

}  // namespace quorla_test
