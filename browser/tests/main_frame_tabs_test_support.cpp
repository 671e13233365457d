#include "main_frame_tabs_test_support.h"

#include <stdlib.h>

#include <chrono>
#include <thread>

#include "browser_ids.h"
#include "kqie_view.h"
#include "process_objects.h"
#include "win/input.h"
#include "win/messages.h"
#include "win/timers.h"

namespace browser_test {

quorla::testing::HttpTestServer* TabsTest::server = nullptr;

namespace {

std::string Utf8(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) out += static_cast<char>(c);  // the addresses here are ASCII
  return out;
}

}  // namespace

std::string TabsTest::TitledPage(const std::string& title, const std::string& script) {
  return "<html><head><title>" + title + "</title></head><body><p>" + title + "</p>" + script + "</body></html>";
}

void TabsTest::SetUpTestSuite() {
  StartProxy([](quorla::testing::HttpTestServer& pages) {
    for (const char* name : {"a", "b", "c"})
      pages.ServeBody(std::string("http://shop.test/") + name, TitledPage(std::string("page ") + name));
    pages.ServeBody("http://shop.test/late-title",
                    TitledPage("early", "<script>setTimeout(function(){document.title='renamed';},300);</script>"));
    pages.ServeBody("http://shop.example/", TitledPage("typed"));
    pages.ServeBody("http://s.taobao.com/search", TitledPage("search"));
  });
}

void TabsTest::StartProxy(const std::function<void(quorla::testing::HttpTestServer&)>& routes) {
  server = new quorla::testing::HttpTestServer();
  server->ServeBody(Utf8(Text(StartPageAddress())), TitledPage("start"));
  routes(*server);
  ASSERT_TRUE(server->Start());
  // The engine reads its proxy once, when it starts with the first page.
  const std::string proxy = "http://127.0.0.1:" + std::to_string(server->Port());
  ::setenv("http_proxy", proxy.c_str(), 1);
  ::setenv("HTTP_PROXY", proxy.c_str(), 1);
  ::setenv("no_proxy", "", 1);
}

void TabsTest::TearDownTestSuite() {
  delete server;
  server = nullptr;
}

void TabsTest::SetUp() { ResetTabs(); }

void TabsTest::TearDown() {
  frame.reset();
  Drain();
}

void TabsTest::ResetTabs() {
  frame.reset();
  Drain();
  frame = MakeShownFrame();
  hwnd = frame->GetSafeHwnd();
}

std::u16string TabsTest::Page(const char* path) {
  std::u16string out = u"http://shop.test";
  for (const char* p = path; *p; ++p) out += static_cast<char16_t>(*p);
  return out;
}

bool TabsTest::WaitFor(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    Drain();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

void TabsTest::OpenAndWait(const std::u16string& address) {
  frame->OpenUrlInNewTab(address.c_str());
  WaitLoaded(frame->Tabs().GetItemCount() - 1);
}

void TabsTest::WaitLoaded(int tab) {
  ASSERT_TRUE(WaitFor([&] {
    auto* view = static_cast<CKQIEView*>(frame->Tabs().GetTabView(tab));
    return view && view->GetReadyState() == READYSTATE_COMPLETE && !view->GetLocationURL().IsEmpty();
  })) << "tab " << tab << " loads";
  Drain();
}

void TabsTest::SelectTab(int tab) {
  frame->Tabs().SetCurSel(tab);
  NMHDR header{frame->Tabs().m_hWnd, ID_TAB_STRIP, static_cast<UINT>(TCN_SELCHANGE)};
  ::SendMessageW(hwnd, WM_NOTIFY, ID_TAB_STRIP, reinterpret_cast<LPARAM>(&header));
  Drain();
}

std::u16string TabsTest::AddressBoxText() {
  CString text;
  frame->AddressBox().GetWindowText(text);
  return Text(text);
}

std::u16string TabsTest::Caption() {
  CString text;
  frame->GetWindowText(text);
  return Text(text);
}

bool TabsTest::IsEnabled(int navigationCommand) {
  CMyImageBar& bar = frame->NavigationButtons();
  for (int i = 0; i < bar.GetButtonCount(); ++i) {
    const auto* button = bar.GetButton(i);
    if (button && button->id == navigationCommand) return button->state != 3;
  }
  ADD_FAILURE() << "no button " << navigationCommand;
  return false;
}

void TabsTest::TypeIntoAddressBox(const std::u16string& text) {
  frame->AddressBox().SetFocus();
  frame->AddressBox().SetSel(0, -1);
  for (char16_t c : text) ::SendMessageW(frame->AddressBox().m_hWnd, WM_CHAR, c, 1);
  Drain();
}

void TabsTest::PressEnterInAddressBox() {
  frame->AddressBox().SetFocus();
  MSG enter{frame->AddressBox().m_hWnd, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  EXPECT_TRUE(frame->PreTranslateMessage(&enter)) << "the address box's Enter is the browser's";
  Drain();
}

void TabsTest::SetSearchText(const std::u16string& text) {
  frame->SearchBox().SetWindowText(text.c_str());
  frame->SearchBox().SetHintFlag(FALSE);
}

size_t TabsTest::requestsFor(const std::string& address) {
  size_t n = 0;
  for (auto& request : server->Requests()) n += request.path == address;
  return n;
}

size_t TabsTest::requestsWithQuery(const std::string& query) {
  size_t n = 0;
  for (auto& request : server->Requests()) n += request.query == query;
  return n;
}

}  // namespace browser_test
