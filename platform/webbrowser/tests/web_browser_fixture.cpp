#include "web_browser_fixture.h"

#include <QApplication>
#include <QEventLoop>
#include <QThread>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <algorithm>
#include <chrono>

#include "win/global_memory.h"
#include "win/messages.h"
#include "win/mshtml.h"
#include "win/stream.h"
#include "win/text_encoding.h"
#include "window_access.h"
#include "win/window_classes.h"
#include "win/window_objects.h"
#include "win/window_styles.h"

namespace quorla_test {

std::string Narrow(const std::u16string& text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}
std::u16string Wide(const std::string& text) { return QString::fromStdString(text).toStdU16String(); }

namespace {

std::string TextOf(const VARIANT* v) {
  if (!v || v->vt != VT_BSTR || !v->bstrVal) return {};
  return Narrow(std::u16string(v->bstrVal, SysStringLen(v->bstrVal)));
}
std::string TextOf(BSTR text) { return text ? Narrow(std::u16string(text, SysStringLen(text))) : std::string(); }

}  // namespace

class RecordingSink final : public DWebBrowserEvents2 {
 public:
  RecordingSink(Recording& recording, IWebBrowser2* browser) : recording_(recording), browser_(browser) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != DIID_DWebBrowserEvents2) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    *out = static_cast<DWebBrowserEvents2*>(this);
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++count_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG c = --count_;
    if (c == 0) delete this;
    return c;
  }

  void STDMETHODCALLTYPE BeforeNavigate2(IDispatch* dispatch, VARIANT* url, VARIANT*, VARIANT*, VARIANT*, VARIANT*,
                                         VARIANT_BOOL* cancel) override {
    BrowserEvent e = Make("BeforeNavigate2", dispatch, TextOf(url));
    if (recording_.cancelWhen && recording_.cancelWhen(e)) *cancel = VARIANT_TRUE;
    Log(e);
  }
  void STDMETHODCALLTYPE NavigateComplete2(IDispatch* dispatch, VARIANT* url) override {
    Log(Make("NavigateComplete2", dispatch, TextOf(url)));
  }
  void STDMETHODCALLTYPE DocumentComplete(IDispatch* dispatch, VARIANT* url) override {
    Log(Make("DocumentComplete", dispatch, TextOf(url)));
  }
  void STDMETHODCALLTYPE StatusTextChange(BSTR text) override { Log(Make("StatusTextChange", nullptr, TextOf(text))); }
  void STDMETHODCALLTYPE TitleChange(BSTR title) override { Log(Make("TitleChange", nullptr, TextOf(title))); }
  void STDMETHODCALLTYPE CommandStateChange(LONG command, VARIANT_BOOL enable) override {
    Log(Make("CommandStateChange", nullptr, std::to_string(command) + (enable ? " 1" : " 0")));
  }
  void STDMETHODCALLTYPE NewWindow2(IDispatch** dispatch, VARIANT_BOOL* cancel) override {
    BrowserEvent e = Make("NewWindow2", nullptr, *dispatch ? "given" : "");
    if (recording_.newWindow) *dispatch = recording_.newWindow();
    if (recording_.cancelNewWindow) *cancel = VARIANT_TRUE;
    Log(e);
  }

  void Forget() { browser_ = nullptr; }

 private:
  BrowserEvent Make(const char* name, IDispatch* dispatch, std::string text) {
    BrowserEvent e{name, false, std::move(text), -1};
    if (browser_) {
      IDispatch* own = nullptr;
      browser_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&own));
      e.topLevel = dispatch && dispatch == own;
      if (own) own->Release();
      READYSTATE state = READYSTATE_UNINITIALIZED;
      browser_->get_ReadyState(&state);
      e.readyState = state;
    }
    return e;
  }
  void Log(const BrowserEvent& e) {
    recording_.events.push_back(e);
    if (recording_.onEvent) recording_.onEvent(e);
  }

  Recording& recording_;
  IWebBrowser2* browser_;
  ULONG count_ = 1;
};

namespace {

void AdviseSink(IWebBrowser2* browser, RecordingSink* sink) {
  IConnectionPointContainer* container = nullptr;
  ASSERT_EQ(browser->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)), S_OK);
  IConnectionPoint* point = nullptr;
  ASSERT_EQ(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &point), S_OK);
  DWORD cookie = 0;
  ASSERT_EQ(point->Advise(sink, &cookie), S_OK);
  EXPECT_NE(cookie, 0u);
  point->Release();
  container->Release();
}

}  // namespace

IDispatch* ExtraBrowser::Application() const {
  IDispatch* application = nullptr;
  if (browser) browser->get_Application(&application);
  return application;
}

void WebBrowserTest::SetUp() {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"QuorlaBrowserTestHost";
    return RegisterClassExW(&wc) != 0;
  }();
  ASSERT_TRUE(registered);
  host = CreateWindowExW(0, u"QuorlaBrowserTestHost", u"host", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr,
                         nullptr, nullptr);
  ASSERT_NE(host, nullptr);
  RECT rect{0, 0, 600, 400};
  ASSERT_EQ(CreateWebBrowserControl(host, WS_VISIBLE, &rect, 100, &window, &browser), S_OK);
  sink = new RecordingSink(recording, browser);
  AdviseSink(browser, sink);
}

ExtraBrowser* WebBrowserTest::MakeExtraBrowser() {
  auto extra = std::make_unique<ExtraBrowser>();
  RECT empty{0, 0, 0, 0};
  if (CreateWebBrowserControl(host, 0, &empty, 0xFFFF, &extra->window, &extra->browser) != S_OK) return nullptr;
  extra->sink = new RecordingSink(extra->recording, extra->browser);
  AdviseSink(extra->browser, extra->sink);
  extras_.push_back(std::move(extra));
  return extras_.back().get();
}

void WebBrowserTest::TearDown() {
  for (auto& extra : extras_) {
    if (extra->sink) extra->sink->Forget();
    if (extra->browser) extra->browser->Release();
    if (extra->sink) extra->sink->Release();
  }
  extras_.clear();
  if (sink) sink->Forget();
  if (browser) browser->Release();
  if (sink) sink->Release();
  if (host) DestroyWindow(host);
  // Let the engine's deferred deletions run before the process ends.
  PumpFor(200);
  server.Stop();
}

void WebBrowserTest::ReleaseBrowser() {
  sink->Forget();
  browser->Release();
  browser = nullptr;
}

void WebBrowserTest::LetScriptsOpenWindows() {
  int pages = 0;
  for (QWidget* widget : QApplication::allWidgets()) {
    if (auto* view = qobject_cast<QWebEngineView*>(widget); view && view->page()) {
      view->page()->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
      ++pages;
    }
  }
  ASSERT_GT(pages, 0);
}

std::string WebBrowserTest::DocumentSource(IDispatch* document) {
  if (!document) return {};
  IPersistStreamInit* persist = nullptr;
  IHTMLDocument2* html = nullptr;
  std::string text;
  if (SUCCEEDED(document->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist))) &&
      SUCCEEDED(document->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(&html)))) {
    IStream* stream = nullptr;
    if (SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) {
      persist->Save(stream, FALSE);
      HGLOBAL memory = nullptr;
      GetHGlobalFromStream(stream, &memory);
      ULARGE_INTEGER size{};
      LARGE_INTEGER zero{};
      stream->Seek(zero, STREAM_SEEK_END, &size);
      const char* bytes = static_cast<const char*>(GlobalLock(memory));
      const std::string saved(bytes ? bytes : "", bytes ? static_cast<size_t>(size.QuadPart) : 0);
      GlobalUnlock(memory);
      BSTR charset = nullptr;
      html->get_charset(&charset);
      const std::string name = charset ? Narrow(std::u16string(charset, SysStringLen(charset))) : "";
      SysFreeString(charset);
      if (QString::fromStdString(name).compare(QLatin1String("utf-8"), Qt::CaseInsensitive) == 0) {
        text = saved;
      } else {
        const int units = MultiByteToWideChar(936, 0, saved.data(), static_cast<int>(saved.size()), nullptr, 0);
        std::u16string wide(static_cast<size_t>(std::max(units, 0)), u'\0');
        if (units > 0)
          MultiByteToWideChar(936, 0, saved.data(), static_cast<int>(saved.size()), wide.data(), units);
        text = Narrow(wide);
      }
      stream->Release();
    }
  }
  if (html) html->Release();
  if (persist) persist->Release();
  return text;
}

bool WebBrowserTest::PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
  return true;
}

void WebBrowserTest::PumpFor(int milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

bool WebBrowserTest::WaitForEvent(const std::string& name, size_t count, int timeoutMs) {
  return WaitForEventOf(recording, name, count, timeoutMs);
}

bool WebBrowserTest::WaitForEventOf(const Recording& of, const std::string& name, size_t count, int timeoutMs) {
  return PumpUntil([&] { return CountIn(of.events, name) >= count; }, timeoutMs);
}

HRESULT WebBrowserTest::Navigate(const std::u16string& address, IWebBrowser2* control) {
  BSTR text = SysAllocStringLen(address.data(), static_cast<UINT>(address.size()));
  HRESULT hr = (control ? control : browser)->Navigate(text, nullptr, nullptr, nullptr, nullptr);
  SysFreeString(text);
  return hr;
}

LONG WebBrowserTest::ReadyState() {
  READYSTATE state = READYSTATE_UNINITIALIZED;
  EXPECT_EQ(browser->get_ReadyState(&state), S_OK);
  return state;
}

std::u16string WebBrowserTest::LocationUrl() { return TextProperty(&IWebBrowser2::get_LocationURL); }
std::u16string WebBrowserTest::LocationName() { return TextProperty(&IWebBrowser2::get_LocationName); }

std::u16string WebBrowserTest::TextProperty(HRESULT (STDMETHODCALLTYPE IWebBrowser2::*read)(BSTR*)) {
  BSTR text = nullptr;
  EXPECT_EQ((browser->*read)(&text), S_OK);
  std::u16string out = text ? std::u16string(text, SysStringLen(text)) : std::u16string();
  SysFreeString(text);
  return out;
}

size_t WebBrowserTest::Count(const std::string& name) const { return CountIn(events, name); }

size_t WebBrowserTest::CountIn(const std::vector<BrowserEvent>& log, const std::string& name) {
  size_t n = 0;
  for (const auto& e : log) n += e.name == name;
  return n;
}

std::vector<std::string> WebBrowserTest::Sequence(const std::vector<std::string>& names) const {
  return SequenceIn(events, names);
}

std::vector<std::string> WebBrowserTest::SequenceIn(const std::vector<BrowserEvent>& log,
                                                    const std::vector<std::string>& names) {
  std::vector<std::string> out;
  for (const auto& e : log) {
    if (std::find(names.begin(), names.end(), e.name) == names.end()) continue;
    out.push_back(e.name + (e.name == "BeforeNavigate2" || e.name == "NavigateComplete2" ||
                                    e.name == "DocumentComplete"
                                ? (e.topLevel ? " top " : " frame ")
                                : " ") +
                  e.text);
  }
  return out;
}

std::vector<std::string> WebBrowserTest::RequestedPaths() {
  std::vector<std::string> out;
  for (const auto& r : server.Requests()) out.push_back(r.query.empty() ? r.path : r.path + "?" + r.query);
  return out;
}

}  // namespace quorla_test
