// CHtmlView against the real WebBrowser control and a local server: the
// control fills the view, its events reach the view's handlers (told which
// are the page's own), its operations reach the control, and a handler may
// delete its own view.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "afx/html_view.h"
#include "engine_test_environment.h"
#include "http_test_server.h"

using afx_ole_test::PumpFor;
using afx_ole_test::PumpUntil;

namespace {

std::string Narrow(LPCWSTR text) {
  std::string out;
  for (; text && *text; ++text) out += *text < 0x80 ? static_cast<char>(*text) : '?';
  return out;
}

std::u16string Wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

std::string UrlText(const VARIANT* url) { return url && url->vt == VT_BSTR ? Narrow(url->bstrVal) : "?"; }

// What the handlers saw, kept outside the view so that it outlives a view
// that deleted itself.
struct EventLog {
  std::vector<std::string> events;
  size_t Count(const std::string& prefix) const {
    size_t n = 0;
    for (const auto& e : events) n += e.rfind(prefix, 0) == 0;
    return n;
  }
};

// A site that also takes the document's commands, and counts the sites
// alive.
class CommandSite : public COleControlSite {
 public:
  explicit CommandSite(COleControlContainer* container) : COleControlSite(container) { ++alive; }
  ~CommandSite() override { --alive; }
  static int alive;
  std::vector<std::string> commands;  // "group command"

 protected:
  BEGIN_INTERFACE_PART(Commands, IOleCommandTarget)
    HRESULT STDMETHODCALLTYPE QueryStatus(const GUID*, ULONG, OLECMD*, OLECMDTEXT*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Exec(const GUID* group, DWORD command, DWORD, VARIANT*, VARIANT* out) override {
      METHOD_PROLOGUE(CommandSite, Commands)
      const bool docHost = group && *group == CGID_DocHostCommandHandler;
      pThis->commands.push_back(std::string(docHost ? "dochost " : "other ") + std::to_string(command));
      if (out) {
        out->vt = VT_BOOL;
        out->boolVal = VARIANT_TRUE;
      }
      return S_OK;
    }
  END_INTERFACE_PART(Commands)
  DECLARE_INTERFACE_MAP()
};

int CommandSite::alive = 0;

BEGIN_INTERFACE_MAP(CommandSite, COleControlSite)
  INTERFACE_PART(CommandSite, IID_IOleCommandTarget, Commands)
END_INTERFACE_MAP()

ULONG CommandSite::XCommands::AddRef() {
  METHOD_PROLOGUE(CommandSite, Commands)
  return pThis->ExternalAddRef();
}
ULONG CommandSite::XCommands::Release() {
  METHOD_PROLOGUE(CommandSite, Commands)
  return pThis->ExternalRelease();
}
HRESULT CommandSite::XCommands::QueryInterface(REFIID iid, void** out) {
  METHOD_PROLOGUE(CommandSite, Commands)
  return pThis->ExternalQueryInterface(&iid, out);
}

class RecordingView : public CHtmlView {
 public:
  explicit RecordingView(std::shared_ptr<EventLog> log) : log_(std::move(log)) {}

  // The event whose handler deletes the view, and the address at which
  // navigations are cancelled.
  std::string deleteOn;
  std::string cancelAt;
  CommandSite* madeSite = nullptr;
  DWORD hostFlags = DOCHOSTUIFLAG_NO3DBORDER;
  int hostInfoAsked = 0;
  // Answers a new window; the default leaves it unopened.
  std::function<void(LPDISPATCH*)> newWindow;

 protected:
  BOOL CreateControlSite(COleControlContainer* container, COleControlSite** site, UINT, REFCLSID) override {
    *site = madeSite = new CommandSite(container);
    return TRUE;
  }
  HRESULT OnGetHostInfo(DOCHOSTUIINFO* info) override {
    ++hostInfoAsked;
    info->dwFlags |= hostFlags;
    return S_OK;
  }
  void OnBeforeNavigate2(LPDISPATCH dispatch, LPCWSTR url, DWORD, LPCWSTR, const VARIANT*, LPCWSTR,
                         BOOL* cancel) override {
    if (!cancelAt.empty() && Narrow(url).find(cancelAt) != std::string::npos) *cancel = TRUE;
    Record("BeforeNavigate2", dispatch, Narrow(url));
  }
  void OnNavigateComplete2(LPDISPATCH dispatch, VARIANT* url) override {
    Record("NavigateComplete2", dispatch, UrlText(url));
  }
  void OnDocumentComplete(LPDISPATCH dispatch, VARIANT* url) override {
    Record("DocumentComplete", dispatch, UrlText(url));
  }
  void OnTitleChange(LPCWSTR title) override { Record("TitleChange", nullptr, Narrow(title)); }
  void OnStatusTextChange(LPCWSTR text) override { Record("StatusTextChange", nullptr, Narrow(text)); }
  void OnCommandStateChange(long command, BOOL enable) override {
    Record("CommandStateChange", nullptr, std::to_string(command) + (enable ? " on" : " off"));
  }
  void OnNewWindow2(LPDISPATCH* dispatch, BOOL*) override {
    if (newWindow) newWindow(dispatch);
    Record("NewWindow2", nullptr, *dispatch ? "answered" : "unanswered");
  }

 private:
  void Record(const std::string& name, LPDISPATCH dispatch, const std::string& text) {
    std::string where = dispatch ? (IsBrowserDispatch(dispatch) ? " top " : " frame ") : " ";
    log_->events.push_back(name + where + text);
    if (name == deleteOn) delete this;
  }
  std::shared_ptr<EventLog> log_;
};

// Before any view of the process: hosting controls must be asked for.
TEST(HtmlViewContainerTest, NoViewWithoutControlContainers) {
  if (AfxControlContainerEnabled()) GTEST_SKIP() << "enabled by an earlier test of this process";
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, u"parent", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240, nullptr, nullptr));
  CHtmlView view;
  EXPECT_FALSE(view.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 100, 100), &parent, 1));
  EXPECT_EQ(view.GetSafeHwnd(), nullptr);
  EXPECT_EQ(view.m_pBrowserApp, nullptr);
  AfxEnableControlContainer();
  EXPECT_TRUE(view.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 100, 100), &parent, 1));
  EXPECT_NE(view.m_pBrowserApp, nullptr);
}

class HtmlViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AfxEnableControlContainer();
    server.ServeBody("/a", "<html><head><title>Page A</title></head><body>A <a href='/b'>b</a>"
                           "<iframe src='/inner'></iframe></body></html>");
    server.ServeBody("/inner", "<html><body>inner</body></html>");
    server.ServeBody("/b", "<html><head><title>Page B</title></head><body>B</body></html>");
    server.ServeBody("/error", "<html><head><title>E</title><script>throw new Error('boom');</script></head></html>");
    server.ServeBody("/opener", "<html><head><title>opener</title><script>"
                                "setTimeout(function () { window.open('/b'); }, 50);</script></head></html>");
    ASSERT_TRUE(server.Start());
    ASSERT_TRUE(parent.CreateEx(0, nullptr, u"parent", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr));
    view = new RecordingView(log);
  }
  void TearDown() override {
    delete view;
    parent.DestroyWindow();
    PumpFor(100);
    server.Stop();
  }
  bool CreateView(const RECT& rect = {0, 0, 400, 300}) {
    return view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, &parent, 7);
  }
  bool WaitFor(const std::string& prefix, size_t count = 1) {
    return PumpUntil([&] { return log->Count(prefix) >= count; });
  }
  std::string Url(const std::string& path) { return server.Url(path); }

  quorla::testing::HttpTestServer server;
  CWnd parent;
  std::shared_ptr<EventLog> log = std::make_shared<EventLog>();
  RecordingView* view = nullptr;
};

TEST_F(HtmlViewTest, ControlFillsTheViewAndFollowsItsSize) {
  ASSERT_TRUE(CreateView({10, 20, 410, 320}));
  ASSERT_NE(view->GetBrowserWindow(), nullptr);
  EXPECT_EQ(::GetParent(view->GetBrowserWindow()), view->GetSafeHwnd());
  struct Case {
    int width, height;
  };
  for (Case c : {Case{400, 300}, Case{250, 120}, Case{640, 10}}) {
    view->MoveWindow(0, 0, c.width, c.height);
    RECT rect{};
    ::GetWindowRect(view->GetBrowserWindow(), &rect);
    ::MapWindowPoints(nullptr, view->GetSafeHwnd(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 0) << c.width;
    EXPECT_EQ(rect.top, 0) << c.width;
    EXPECT_EQ(rect.right, c.width);
    EXPECT_EQ(rect.bottom, c.height);
  }
}

TEST_F(HtmlViewTest, EventsReachTheHandlersToldWhetherTheyAreThePagesOwn) {
  ASSERT_TRUE(CreateView());
  EXPECT_EQ(view->GetReadyState(), READYSTATE_UNINITIALIZED);
  view->Navigate2(Wide(Url("/a")).c_str());
  ASSERT_TRUE(WaitFor("DocumentComplete"));
  ASSERT_TRUE(PumpUntil([&] { return log->Count("TitleChange Page A") > 0; }));

  std::vector<std::string> navigation;
  for (const auto& e : log->events)
    if (e.rfind("BeforeNavigate2", 0) == 0 || e.rfind("NavigateComplete2", 0) == 0 ||
        e.rfind("DocumentComplete", 0) == 0)
      navigation.push_back(e);
  const std::vector<std::string> expected{
      "BeforeNavigate2 top " + Url("/a"), "NavigateComplete2 top " + Url("/a"),
      "BeforeNavigate2 frame " + Url("/inner"), "DocumentComplete top " + Url("/a")};
  EXPECT_EQ(navigation, expected);
  // One page: nothing to go back to.
  EXPECT_EQ(log->Count("CommandStateChange 2 on"), 0u);
  EXPECT_EQ(Narrow(view->GetLocationURL()), Url("/a"));
  EXPECT_EQ(Narrow(view->GetLocationName()), "Page A");
  EXPECT_EQ(view->GetReadyState(), READYSTATE_COMPLETE);
  IDispatch* application = view->GetApplication();
  ASSERT_NE(application, nullptr);
  EXPECT_TRUE(view->IsBrowserDispatch(application));
  application->Release();
}

// The history's rules are the control's tests'; the view hands its calls on.
TEST_F(HtmlViewTest, BackForwardAndRefreshReachTheControl) {
  ASSERT_TRUE(CreateView());
  view->Navigate(Wide(Url("/b")).c_str());
  ASSERT_TRUE(WaitFor("DocumentComplete", 1));
  view->Navigate(Wide(Url("/a")).c_str());
  ASSERT_TRUE(WaitFor("DocumentComplete", 2));
  ASSERT_TRUE(PumpUntil([&] { return log->Count("CommandStateChange 2 on") > 0; }));
  view->GoBack();
  ASSERT_TRUE(WaitFor("DocumentComplete", 3));
  EXPECT_EQ(Narrow(view->GetLocationURL()), Url("/b"));
  ASSERT_TRUE(PumpUntil([&] { return log->Count("CommandStateChange 1 on") > 0; }));
  view->GoForward();
  ASSERT_TRUE(WaitFor("DocumentComplete", 4));
  EXPECT_EQ(Narrow(view->GetLocationURL()), Url("/a"));
  const auto requestsOfA = [&] {
    size_t n = 0;
    for (const auto& r : server.Requests()) n += r.path == "/a";
    return n;
  };
  const size_t before = requestsOfA();
  view->Refresh2(REFRESH_COMPLETELY);
  EXPECT_TRUE(PumpUntil([&] { return requestsOfA() > before; }));
}

TEST_F(HtmlViewTest, CancelledNavigationSendsNothing) {
  ASSERT_TRUE(CreateView());
  view->cancelAt = "/b";
  view->Navigate(Wide(Url("/b")).c_str());
  PumpFor(1500);
  EXPECT_EQ(log->Count("BeforeNavigate2 top"), 1u);
  EXPECT_EQ(log->Count("NavigateComplete2"), 0u);
  for (const auto& r : server.Requests()) EXPECT_NE(r.path, "/b");
}

TEST_F(HtmlViewTest, TheControlHasTheSiteAndAsksTheViewForItsFlags) {
  ASSERT_TRUE(CreateView());
  EXPECT_GE(view->hostInfoAsked, 1);
  ASSERT_NE(view->madeSite, nullptr);
  IDocHostUIHandler* handler = nullptr;
  ASSERT_EQ(view->madeSite->ExternalQueryInterface(&IID_IDocHostUIHandler, reinterpret_cast<void**>(&handler)), S_OK);
  DOCHOSTUIINFO info{sizeof(DOCHOSTUIINFO), DOCHOSTUIFLAG_DIALOG, 0, nullptr, nullptr};
  EXPECT_EQ(handler->GetHostInfo(&info), S_OK);
  EXPECT_EQ(info.dwFlags, DOCHOSTUIFLAG_DIALOG | DOCHOSTUIFLAG_NO3DBORDER);
  handler->Release();
  // The control holds the site while the view has it; the site goes with
  // the view.
  EXPECT_GE(view->madeSite->m_dwRef, 2u);
  EXPECT_EQ(CommandSite::alive, 1);
  delete view;
  view = nullptr;
  PumpFor(200);
  EXPECT_EQ(CommandSite::alive, 0);
}

TEST_F(HtmlViewTest, ScriptErrorsAreHandedToTheSite) {
  ASSERT_TRUE(CreateView());
  view->Navigate(Wide(Url("/error")).c_str());
  ASSERT_TRUE(WaitFor("DocumentComplete"));
  EXPECT_TRUE(PumpUntil([&] { return !view->madeSite->commands.empty(); }, 5000));
  EXPECT_EQ(view->madeSite->commands, std::vector<std::string>{"dochost 40"});
}

TEST_F(HtmlViewTest, NewWindowOpensInTheViewTheHandlerGives) {
  ASSERT_TRUE(CreateView());
  auto popupLog = std::make_shared<EventLog>();
  RecordingView* popup = new RecordingView(popupLog);
  view->newWindow = [&](LPDISPATCH* dispatch) {
    if (popup->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 0, 0), &parent, 8)) *dispatch = popup->GetApplication();
  };
  ASSERT_TRUE(afx_ole_test::LetScriptsOpenWindows());
  view->Navigate(Wide(Url("/opener")).c_str());
  ASSERT_TRUE(WaitFor("NewWindow2"));
  ASSERT_TRUE(PumpUntil([&] { return popupLog->Count("DocumentComplete") > 0; }));
  EXPECT_EQ(log->Count("NewWindow2 answered"), 1u);
  const std::vector<std::string> expected{"BeforeNavigate2 top " + Url("/b"), "NavigateComplete2 top " + Url("/b"),
                                          "DocumentComplete top " + Url("/b")};
  std::vector<std::string> seen;
  for (const auto& e : popupLog->events)
    if (e.find(" top ") != std::string::npos) seen.push_back(e);
  EXPECT_EQ(seen, expected);
  delete popup;
}

// A handler may delete its view, at any event; nothing reaches it later and
// the control is let go (AddressSanitizer watches the rest).
class HtmlViewDeleteThisTest : public HtmlViewTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(HtmlViewDeleteThisTest, HandlerDeletesItsView) {
  ASSERT_TRUE(CreateView());
  view->deleteOn = GetParam();
  view->Navigate(Wide(Url("/a")).c_str());
  ASSERT_TRUE(WaitFor(GetParam()));
  view = nullptr;
  const size_t seen = log->events.size();
  PumpFor(1500);
  EXPECT_EQ(log->events.size(), seen);
  EXPECT_EQ(log->events.back().rfind(GetParam(), 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(Events, HtmlViewDeleteThisTest,
                         ::testing::Values("BeforeNavigate2", "NavigateComplete2", "TitleChange", "DocumentComplete"));

TEST_F(HtmlViewTest, WindowGoneFirstLeavesTheViewToItsOwner) {
  ASSERT_TRUE(CreateView());
  view->Navigate(Wide(Url("/a")).c_str());
  ASSERT_TRUE(WaitFor("NavigateComplete2"));
  HWND browserWindow = view->GetBrowserWindow();
  parent.DestroyWindow();
  EXPECT_FALSE(::IsWindow(browserWindow));
  EXPECT_EQ(view->GetSafeHwnd(), nullptr);
  const size_t seen = log->events.size();
  PumpFor(1000);
  EXPECT_EQ(log->events.size(), seen);
  // The object is still the owner's: its operations answer nothing.
  EXPECT_EQ(view->m_pBrowserApp, nullptr);
  EXPECT_TRUE(view->GetLocationURL().IsEmpty());
  EXPECT_EQ(view->GetReadyState(), READYSTATE_UNINITIALIZED);
  view->Navigate(Wide(Url("/b")).c_str());
}

}  // namespace
