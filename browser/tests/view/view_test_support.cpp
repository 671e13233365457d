#include "view_test_support.h"

#include <stdlib.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "afx/ole_control_site.h"
#include "url_filter.h"

namespace view_test {

void FakeOwner::AdoptNewWindowView(CKQIEView* view) {
  calls.push_back({"adopt", view, u""});
  tabs.insert(view);
}

void FakeOwner::OnViewStatusText(CKQIEView* view) { calls.push_back({"status", view, view->GetStatusText().str()}); }

void FakeOwner::OnViewNavigate(CKQIEView* view, LPCWSTR url) { calls.push_back({"navigate", view, url}); }

void FakeOwner::OnViewTitle(CKQIEView* view, LPCWSTR title) { calls.push_back({"title", view, title}); }

void FakeOwner::OnViewCommandState(CKQIEView* view, BOOL enable, LONG command) {
  std::string text = std::to_string(command) + (enable ? " 1" : " 0");
  calls.push_back({"command", view, std::u16string(text.begin(), text.end())});
}

std::vector<std::u16string> FakeOwner::Of(const std::string& what) const {
  std::vector<std::u16string> out;
  for (const auto& call : calls)
    if (call.what == what) out.push_back(call.text);
  return out;
}

FilterFile::FilterFile(const std::string& bytes) {
  char pattern[] = "/tmp/quorla-filter-XXXXXX";
  folder_ = mkdtemp(pattern);
  previous_ = std::filesystem::current_path();
  std::filesystem::current_path(folder_);
  std::ofstream(folder_ / "iefilter.txt", std::ios::binary) << bytes;
  LoadUrlFilter();
}

FilterFile::~FilterFile() {
  Remove();
  std::filesystem::current_path(previous_);
  std::filesystem::remove_all(folder_);
}

void FilterFile::Remove() {
  std::filesystem::remove(folder_ / "iefilter.txt");
  LoadUrlFilter();
}

HRESULT FrameDispatch::QueryInterface(REFIID iid, void** out) {
  if (iid != IID_IUnknown && iid != IID_IDispatch) {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  *out = static_cast<IDispatch*>(this);
  return S_OK;
}

void ViewTest::SetUp() {
  AfxEnableControlContainer();
  QueuedViews().clear();
  ForgottenViews().clear();
  server.ServeBody("/shop/item.html", "<html><head><title>item</title></head><body>item</body></html>");
  server.ServeBody("/ads/pop.html", "<html><body>advert</body></html>");
  server.ServeBody("/opener", "<html><head><title>opener</title><script>"
                              "setTimeout(function () { window.open('/shop/item.html'); }, 50);</script></head></html>");
  ASSERT_TRUE(server.Start());
  ASSERT_TRUE(parent.CreateEx(0, nullptr, u"tabs", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr));
  view = MakeView(1);
  ASSERT_NE(view, nullptr);
  owner.tabs.insert(view);
  owner.calls.clear();
}

void ViewTest::TearDown() {
  for (IDispatch* dispatch : held_) dispatch->Release();
  held_.clear();
  for (HWND window : made_) delete CWnd::FromHandlePermanent(window);
  made_.clear();
  parent.DestroyWindow();
  server.Stop();
}

CKQIEView* ViewTest::MakeView(int adopted) {
  auto* made = new CKQIEView(owner, adopted);
  if (!made->Create(nullptr, nullptr, WS_CHILD | (adopted ? WS_VISIBLE : 0), CRect(0, 32, 800, 600), &parent, 1)) {
    delete made;
    return nullptr;
  }
  made_.push_back(made->GetSafeHwnd());
  return made;
}

IDispatch* ViewTest::Top(CKQIEView* of) {
  IDispatch* dispatch = of->GetApplication();
  if (dispatch) held_.push_back(dispatch);
  return dispatch;
}

namespace {

VARIANT UrlVariant(const std::u16string& url) {
  VARIANT value{};
  value.vt = VT_BSTR;
  value.bstrVal = ::SysAllocStringLen(url.data(), static_cast<UINT>(url.size()));
  return value;
}

}  // namespace

bool ViewTest::BeforeNavigate(CKQIEView* of, IDispatch* dispatch, const std::u16string& url) {
  BOOL cancel = FALSE;
  of->OnBeforeNavigate2(dispatch, url.c_str(), 0, u"", nullptr, u"", &cancel);
  return cancel != FALSE;
}

void ViewTest::NavigateComplete(CKQIEView* of, IDispatch* dispatch, const std::u16string& url) {
  VARIANT value = UrlVariant(url);
  of->OnNavigateComplete2(dispatch, &value);
  ::VariantClear(&value);
}

void ViewTest::DocumentComplete(CKQIEView* of, IDispatch* dispatch, const std::u16string& url) {
  VARIANT value = UrlVariant(url);
  of->OnDocumentComplete(dispatch, &value);
  ::VariantClear(&value);
}

CKQIEView* ViewTest::OpenPopup(const std::u16string& url, bool* discardQueued) {
  *discardQueued = false;
  LPDISPATCH dispatch = nullptr;
  BOOL cancel = FALSE;
  const size_t callsBefore = owner.calls.size();
  view->OnNewWindow2(&dispatch, &cancel);
  if (!dispatch || cancel) return nullptr;
  IWebBrowser2* browser = nullptr;
  dispatch->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser));
  dispatch->Release();
  if (!browser) return nullptr;
  BSTR text = ::SysAllocStringLen(url.data(), static_cast<UINT>(url.size()));
  browser->Navigate(text, nullptr, nullptr, nullptr, nullptr);
  ::SysFreeString(text);
  browser->Release();

  // Only the toolkit's events and a look at the queue: the discard command
  // stays queued for the test to see what comes before it.
  CKQIEView* found = nullptr;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (!found && std::chrono::steady_clock::now() < end) {
    MSG msg;
    if (::PeekMessageW(&msg, nullptr, WM_COMMAND, WM_COMMAND, PM_NOREMOVE) &&
        msg.wParam == CKQIEView::kDiscardCommand) {
      found = dynamic_cast<CKQIEView*>(CWnd::FromHandlePermanent(msg.hwnd));
      *discardQueued = found != nullptr;
    }
    for (size_t i = callsBefore; !found && i < owner.calls.size(); ++i)
      if (owner.calls[i].what == "adopt") found = owner.calls[i].view;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  if (found) made_.push_back(found->GetSafeHwnd());
  return found;
}

}  // namespace view_test
