// The host's site: its flags asked when it is handed over, and the pages'
// uncaught script errors handed to it, with nothing on standard error.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "web_browser_fixture.h"

namespace quorla_test {
namespace {

class TestSite final : public IOleClientSite, public IDocHostUIHandler, public IOleCommandTarget {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) *out = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IDocHostUIHandler && withHandler) *out = static_cast<IDocHostUIHandler*>(this);
    else if (iid == IID_IOleCommandTarget) *out = static_cast<IOleCommandTarget*>(this);
    else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }  // lives on the test's stack

  HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* info) override {
    ++hostInfoAsked;
    sizeGiven = info->cbSize;
    flagsGiven = info->dwFlags;
    info->dwFlags |= DOCHOSTUIFLAG_NO3DBORDER;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE QueryStatus(const GUID*, ULONG, OLECMD*, OLECMDTEXT*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Exec(const GUID* group, DWORD command, DWORD, VARIANT*, VARIANT* out) override {
    execs.push_back({group && *group == CGID_DocHostCommandHandler, command});
    if (out) {
      out->vt = VT_BOOL;
      out->boolVal = VARIANT_TRUE;
    }
    return S_OK;
  }

  bool withHandler = true;
  ULONG references = 1;
  int hostInfoAsked = 0;
  ULONG sizeGiven = 0;
  DWORD flagsGiven = 0xFFFFFFFF;
  std::vector<std::pair<bool, DWORD>> execs;  // (group was the handler's, command)
};

IOleObject* ObjectOf(IWebBrowser2* browser) {
  IOleObject* object = nullptr;
  EXPECT_EQ(browser->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object)), S_OK);
  return object;
}

TEST_F(WebBrowserTest, HostFlagsAreAskedWhenTheSiteIsHandedOver) {
  struct Case {
    bool withHandler;
    int asked;
  };
  for (const Case& c : {Case{true, 1}, Case{false, 0}}) {
    TestSite site;
    site.withHandler = c.withHandler;
    IOleObject* object = ObjectOf(browser);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->SetClientSite(&site), S_OK);
    EXPECT_EQ(site.hostInfoAsked, c.asked);
    if (c.asked) {
      EXPECT_EQ(site.sizeGiven, sizeof(DOCHOSTUIINFO));
      EXPECT_EQ(site.flagsGiven, 0u);
    }
    IOleClientSite* held = nullptr;
    EXPECT_EQ(object->GetClientSite(&held), S_OK);
    EXPECT_EQ(held, &site);
    if (held) held->Release();
    EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
    EXPECT_EQ(site.references, 1u) << "the control let the site go";
    object->Release();
  }
}

TEST_F(WebBrowserTest, UncaughtScriptErrorsGoToTheHostAndNowhereElse) {
  server.ServeBody("/throws", "<html><head><title>t</title><script>"
                              "console.error('a message of the page');"
                              "try { null.x; } catch (e) {}"
                              "setTimeout(function () { null.y; }, 10);"
                              "setTimeout(function () { document.title = 'done'; }, 200);"
                              "</script></head></html>");
  ASSERT_TRUE(server.Start());
  TestSite site;
  IOleObject* object = ObjectOf(browser);
  ASSERT_EQ(object->SetClientSite(&site), S_OK);

  // Standard error goes to a file while the page runs.
  char path[] = "/tmp/quorla-stderr-XXXXXX";
  const int file = mkstemp(path);
  ASSERT_GE(file, 0);
  std::fflush(stderr);
  const int saved = dup(STDERR_FILENO);
  dup2(file, STDERR_FILENO);
  ASSERT_EQ(Navigate(Wide(server.Url("/throws"))), S_OK);
  const bool done = PumpUntil([&] { return Narrow(LocationName()) == "done"; });
  PumpFor(300);
  std::fflush(stderr);
  dup2(saved, STDERR_FILENO);
  close(saved);
  close(file);
  std::ifstream in(path);
  std::stringstream written;
  written << in.rdbuf();
  unlink(path);

  ASSERT_TRUE(done);
  EXPECT_EQ(site.execs, (std::vector<std::pair<bool, DWORD>>{{true, OLECMDID_SHOWSCRIPTERROR}}));
  EXPECT_EQ(written.str().find("null"), std::string::npos) << written.str();
  EXPECT_EQ(written.str().find("a message of the page"), std::string::npos) << written.str();
  object->SetClientSite(nullptr);
  object->Release();
}

}  // namespace
}  // namespace quorla_test
