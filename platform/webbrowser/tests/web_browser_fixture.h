#pragma once
// A WebBrowser control in a hidden top-level window, a sink that writes each
// event into a log, and a local server, for the control's tests. Each test
// process keeps the engine's profile in folders of its own
// (private_profile_folders.cpp).
#include <gtest/gtest.h>

#include <functional>
#include <memory>
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

// What one control told, and how its sink answers.
struct Recording {
  std::vector<BrowserEvent> events;
  // Answers BeforeNavigate2 with cancel when it returns true.
  std::function<bool(const BrowserEvent&)> cancelWhen;
  // Runs inside each event, after it was logged.
  std::function<void(const BrowserEvent&)> onEvent;
  // Answers NewWindow2 with a dispatch (a reference for the control) or null.
  std::function<IDispatch*()> newWindow;
  bool cancelNewWindow = false;
};

// Another control under the same host, hidden, with a sink of its own.
struct ExtraBrowser {
  HWND window = nullptr;
  IWebBrowser2* browser = nullptr;
  RecordingSink* sink = nullptr;
  Recording recording;
  // The control's Application object, with a reference for the caller.
  IDispatch* Application() const;
};

class WebBrowserTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs the loop until done() holds or the time runs out; false then.
  bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 15000);
  void PumpFor(int milliseconds);
  bool WaitForEvent(const std::string& name, size_t count = 1, int timeoutMs = 15000);
  bool WaitForEventOf(const Recording& recording, const std::string& name, size_t count = 1, int timeoutMs = 15000);

  // A hidden control whose events go to its own recording; released by
  // TearDown.
  ExtraBrowser* MakeExtraBrowser();
  // Lifts the pop-up blocker from the control's page, as a click would for
  // one pop-up: the engine's views take no input without a screen.
  void LetScriptsOpenWindows();
  // Lets the control go (its sink stays advised, so whatever it still told
  // would be logged).
  void ReleaseBrowser();
  // The document's source as a page parser reads it: saved, then decoded as
  // UTF-8 when its charset says so, else as code page 936.
  static std::string DocumentSource(IDispatch* document);

  // Navigates the control (another one when given) to the address.
  HRESULT Navigate(const std::u16string& address, IWebBrowser2* control = nullptr);
  LONG ReadyState();
  std::u16string LocationUrl();
  std::u16string LocationName();
  std::u16string TextProperty(HRESULT (STDMETHODCALLTYPE IWebBrowser2::*read)(BSTR*));
  size_t Count(const std::string& name) const;
  static size_t CountIn(const std::vector<BrowserEvent>& log, const std::string& name);
  // The events of the given names, in order, as "name top|frame text".
  std::vector<std::string> Sequence(const std::vector<std::string>& names) const;
  static std::vector<std::string> SequenceIn(const std::vector<BrowserEvent>& log,
                                             const std::vector<std::string>& names);
  std::vector<std::string> RequestedPaths();

  quorla::testing::HttpTestServer server;
  HWND host = nullptr;
  HWND window = nullptr;
  IWebBrowser2* browser = nullptr;
  RecordingSink* sink = nullptr;
  Recording recording;
  std::vector<BrowserEvent>& events = recording.events;
  std::function<bool(const BrowserEvent&)>& cancelWhen = recording.cancelWhen;
  std::function<void(const BrowserEvent&)>& onEvent = recording.onEvent;

 private:
  std::vector<std::unique_ptr<ExtraBrowser>> extras_;
};

std::string Narrow(const std::u16string& text);
std::u16string Wide(const std::string& text);

}  // namespace quorla_test
