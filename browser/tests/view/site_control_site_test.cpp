// The browser view's control site: the document's commands answered so that
// a script error shows nothing, through the site's interface map.
#include <gtest/gtest.h>

#include "site_control_site.h"

namespace {

QUORLA_DEFINE_GUID(CGID_SomeOtherGroup, 0x12345678, 0x0000, 0x0000, 0, 0, 0, 0, 0, 0, 0, 9);

class FlagsContainer final : public COleControlContainer {
 public:
  FlagsContainer() : COleControlContainer(nullptr) {}
  HRESULT OnGetHostInfo(DOCHOSTUIINFO* info) override {
    info->dwFlags |= DOCHOSTUIFLAG_NO3DBORDER;
    return S_OK;
  }
};

TEST(SiteControlSiteTest, ScriptErrorsAreAnsweredSilently) {
  FlagsContainer container;
  auto* site = new CSiteControlSite(&container);
  IOleCommandTarget* target = nullptr;
  ASSERT_EQ(site->ExternalQueryInterface(&IID_IOleCommandTarget, reinterpret_cast<void**>(&target)), S_OK);
  struct Case {
    const char* name;
    const GUID* group;
    DWORD command;
    HRESULT result;
    bool answered;  // out became VT_BOOL VARIANT_TRUE
  };
  for (Case c : {Case{"script error", &CGID_DocHostCommandHandler, OLECMDID_SHOWSCRIPTERROR, S_OK, true},
                 Case{"another command of the group", &CGID_DocHostCommandHandler, 41, OLECMDERR_E_NOTSUPPORTED, false},
                 Case{"command 0 of the group", &CGID_DocHostCommandHandler, 0, OLECMDERR_E_NOTSUPPORTED, false},
                 Case{"another group", &CGID_SomeOtherGroup, OLECMDID_SHOWSCRIPTERROR, OLECMDERR_E_UNKNOWNGROUP, false},
                 Case{"no group", nullptr, OLECMDID_SHOWSCRIPTERROR, OLECMDERR_E_UNKNOWNGROUP, false}}) {
    VARIANT out{};
    EXPECT_EQ(target->Exec(c.group, c.command, 0, nullptr, &out), c.result) << c.name;
    EXPECT_EQ(out.vt, c.answered ? VT_BOOL : VT_EMPTY) << c.name;
    if (c.answered) {
      EXPECT_EQ(out.boolVal, VARIANT_TRUE) << c.name;
    }
  }
  // Without a place for the answer the script error is still taken.
  EXPECT_EQ(target->Exec(&CGID_DocHostCommandHandler, OLECMDID_SHOWSCRIPTERROR, 0, nullptr, nullptr), S_OK);
  OLECMD command{OLECMDID_SHOWSCRIPTERROR, 0};
  EXPECT_EQ(target->QueryStatus(&CGID_DocHostCommandHandler, 1, &command, nullptr), S_OK);
  EXPECT_EQ(command.cmdf, 0u);

  // The framework's own answers stay, and every part is the one site.
  IDocHostUIHandler* handler = nullptr;
  ASSERT_EQ(target->QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&handler)), S_OK);
  DOCHOSTUIINFO info{sizeof(DOCHOSTUIINFO), 0, 0, nullptr, nullptr};
  EXPECT_EQ(handler->GetHostInfo(&info), S_OK);
  EXPECT_EQ(info.dwFlags, DOCHOSTUIFLAG_NO3DBORDER);
  IUnknown* fromTarget = nullptr;
  IUnknown* fromHandler = nullptr;
  target->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromTarget));
  handler->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromHandler));
  EXPECT_EQ(fromTarget, fromHandler);
  EXPECT_EQ(fromTarget, static_cast<IUnknown*>(target));
  fromTarget->Release();
  fromHandler->Release();
  handler->Release();
  EXPECT_EQ(site->m_dwRef, 2u);
  target->Release();
  site->ExternalRelease();
}

}  // namespace
