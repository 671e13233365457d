// Message maps: the order of entries, the handled flag, chaining to a base
// class's and a member's map, and the default processing for the rest.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "atl/window_impl.h"

namespace {

using ATL::CWindow;
using ATL::CWindowImpl;

constexpr UINT kBaseOnly = WM_APP + 1;    // handled by the base class's map
constexpr UINT kDeclined = WM_APP + 2;    // every handler clears the flag
constexpr UINT kMemberOnly = WM_APP + 3;  // handled by the member's map
constexpr UINT kShadowed = WM_APP + 4;    // the derived map answers before the base sees it
constexpr UINT kNobody = WM_APP + 5;

std::vector<std::string>* g_trail = nullptr;
LRESULT g_defaultResult = 0;

LRESULT RecordingDefault(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_APP || message == WM_COMMAND) {
    g_trail->push_back("default");
    return g_defaultResult;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A mixin with a map of its own, used as a member.
class Greeter {
 public:
  BOOL ProcessWindowMessage(HWND, UINT uMsg, WPARAM, LPARAM, LRESULT& lResult, DWORD) {
    if (uMsg == kMemberOnly) {
      g_trail->push_back("member");
      lResult = 30;
      return TRUE;
    }
    if (uMsg == kDeclined) g_trail->push_back("member declines");
    return FALSE;
  }
};

class BaseWindow : public CWindowImpl<BaseWindow> {
 public:
  DECLARE_WND_CLASS_EX(u"QuorlaAtlBaseMap", 0, COLOR_WINDOW)
  BEGIN_MSG_MAP(BaseWindow)
    MESSAGE_HANDLER(kBaseOnly, OnBase)
    MESSAGE_HANDLER(kShadowed, OnBase)
    MESSAGE_HANDLER(kDeclined, OnDecline)
  END_MSG_MAP()

  LRESULT OnBase(UINT message, WPARAM, LPARAM, BOOL&) {
    g_trail->push_back("base");
    return 20;
  }
  LRESULT OnDecline(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    g_trail->push_back("base declines");
    bHandled = FALSE;
    return 99;
  }
};

class DerivedWindow : public BaseWindow {
 public:
  BEGIN_MSG_MAP(DerivedWindow)
    MESSAGE_HANDLER(kShadowed, OnShadow)
    MESSAGE_HANDLER(kDeclined, OnDecline)
    CHAIN_MSG_MAP_MEMBER(greeter_)
    CHAIN_MSG_MAP(BaseWindow)
    COMMAND_HANDLER(200, 5, OnCommandWithCode)
    COMMAND_ID_HANDLER(200, OnCommand)
    COMMAND_ID_HANDLER(300, OnCommandDeclined)
  END_MSG_MAP()

  LRESULT OnShadow(UINT, WPARAM, LPARAM, BOOL&) {
    g_trail->push_back("derived");
    return 10;
  }
  LRESULT OnDecline(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    g_trail->push_back("derived declines");
    bHandled = FALSE;
    return 98;
  }
  LRESULT OnCommandWithCode(WORD code, WORD id, HWND control, BOOL&) {
    g_trail->push_back("command " + std::to_string(id) + " code " + std::to_string(code) + " from " +
                       std::to_string(reinterpret_cast<LPARAM>(control)));
    return 40;
  }
  LRESULT OnCommand(WORD code, WORD id, HWND, BOOL&) {
    g_trail->push_back("command " + std::to_string(id) + " any code " + std::to_string(code));
    return 41;
  }
  LRESULT OnCommandDeclined(WORD, WORD, HWND, BOOL& bHandled) {
    g_trail->push_back("command 300 declines");
    bHandled = FALSE;
    return 0;
  }

 private:
  Greeter greeter_;
};

struct MapCase {
  const char* name;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  LRESULT expected;
  std::vector<std::string> trail;
};

TEST(MessageMapTest, EntriesChainsAndTheHandledFlag) {
  const MapCase cases[] = {
      {"the base class's entry through the chain", kBaseOnly, 0, 0, 20, {"base"}},
      {"the derived entry first", kShadowed, 0, 0, 10, {"derived"}},
      {"the member's map before the base's", kMemberOnly, 0, 0, 30, {"member"}},
      {"declined everywhere reaches the default", kDeclined, 0, 0, 77,
       {"derived declines", "member declines", "base declines", "default"}},
      {"nobody's message reaches the default", kNobody, 0, 0, 77, {"default"}},
      {"command with its code", WM_COMMAND, MAKEWPARAM(200, 5), 0x1234, 40, {"command 200 code 5 from 4660"}},
      {"command with another code", WM_COMMAND, MAKEWPARAM(200, 6), 0, 41, {"command 200 any code 6"}},
      {"the identifier is the low word", WM_COMMAND, MAKEWPARAM(200, 0) | (WPARAM{1} << 32), 0, 41,
       {"command 200 any code 0"}},
      {"declined command", WM_COMMAND, 300, 0, 77, {"command 300 declines", "default"}},
      {"unknown command", WM_COMMAND, 301, 0, 77, {"default"}},
  };
  std::vector<std::string> trail;
  g_trail = &trail;
  g_defaultResult = 77;
  DerivedWindow window;
  ASSERT_NE(window.Create(nullptr, CWindow::rcDefault, nullptr, WS_POPUP), nullptr);
  window.m_pfnSuperWindowProc = RecordingDefault;
  for (const MapCase& c : cases) {
    SCOPED_TRACE(c.name);
    trail.clear();
    EXPECT_EQ(SendMessageW(window.m_hWnd, c.message, c.wParam, c.lParam), c.expected);
    EXPECT_EQ(trail, c.trail);
  }
  window.DestroyWindow();
  g_trail = nullptr;
}

// The object sees every message of its window, from the first on.
class FirstMessages : public CWindowImpl<FirstMessages> {
 public:
  DECLARE_WND_CLASS_EX(nullptr, CS_DBLCLKS, COLOR_WINDOW)
  BEGIN_MSG_MAP(FirstMessages)
    MESSAGE_HANDLER(WM_NCCREATE, OnNcCreate)
    MESSAGE_HANDLER(WM_CREATE, OnCreate)
  END_MSG_MAP()

  LRESULT OnNcCreate(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
    order.push_back(WM_NCCREATE);
    handleAtFirstMessage = m_hWnd;
    createParam = reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams;
    bHandled = FALSE;  // the default answers TRUE
    return 0;
  }
  LRESULT OnCreate(UINT, WPARAM, LPARAM, BOOL&) {
    order.push_back(WM_CREATE);
    return failCreate ? -1 : 0;
  }

  std::vector<UINT> order;
  HWND handleAtFirstMessage = nullptr;
  void* createParam = nullptr;
  bool failCreate = false;
};

TEST(WindowImplTest, BoundFromTheFirstMessageWithTheClassAsDeclared) {
  FirstMessages window;
  int marker = 0;
  HWND hwnd = window.Create(nullptr, CWindow::rcDefault, u"title", WS_POPUP, WS_EX_TOOLWINDOW, 0U, &marker);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(window.m_hWnd, hwnd);
  EXPECT_EQ(window.handleAtFirstMessage, hwnd);
  EXPECT_EQ(window.createParam, &marker);
  ASSERT_GE(window.order.size(), 2u);
  EXPECT_EQ(window.order[0], static_cast<UINT>(WM_NCCREATE));
  EXPECT_EQ(window.order[1], static_cast<UINT>(WM_CREATE));

  // A class without a name gets one of its own, registered as declared.
  WNDCLASSEXW info{};
  info.cbSize = sizeof(info);
  LPCWSTR className = FirstMessages::GetWndClassInfo().Register(nullptr);
  ASSERT_NE(className, nullptr);
  ASSERT_TRUE(GetClassInfoExW(nullptr, className, &info));
  EXPECT_EQ(info.style, CS_DBLCLKS);
  EXPECT_EQ(info.hbrBackground, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
  EXPECT_EQ(info.hCursor, LoadCursorW(nullptr, IDC_ARROW));

  EXPECT_TRUE(window.DestroyWindow());
  EXPECT_EQ(window.m_hWnd, nullptr);
}

TEST(WindowImplTest, AFailedCreateLeavesTheObjectFreeForAnotherTryAtItsRectangle) {
  FirstMessages window;
  window.failCreate = true;
  RECT area{10, 20, 110, 70};
  EXPECT_EQ(window.Create(nullptr, area, nullptr, WS_POPUP), nullptr);
  EXPECT_EQ(window.m_hWnd, nullptr);
  window.failCreate = false;
  HWND hwnd = window.Create(nullptr, area, nullptr, WS_POPUP);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(window.m_hWnd, hwnd);
  RECT seen{};
  ASSERT_TRUE(window.GetWindowRect(&seen));
  EXPECT_EQ(std::vector<LONG>({seen.left, seen.top, seen.right, seen.bottom}), std::vector<LONG>({10, 20, 110, 70}));
  window.DestroyWindow();
}

}  // namespace
