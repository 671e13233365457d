#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "afx/afxcmn.h"
#include "afx/afxwin.h"
#include "afx_test_support.h"
#include "dialog_template_writer.h"
#include "win/resources.h"

namespace {

using afx_test::RawClass;
using quorla_test::TemplateItem;
using quorla_test::TemplateName;
using quorla_test::TemplateSpec;
using quorla_test::TemplateWriter;

constexpr int kItemId = 1005;
constexpr UINT WM_END_FROM_THREAD = WM_USER + 40;
constexpr UINT WM_NOTE = WM_USER + 41;
constexpr UINT WM_LOOK = WM_USER + 50;
constexpr int kListId = 2000;

// A 228 x 143 unit dialog with one item, as the settings and watch-list
// dialogs are.
std::vector<DWORD> OneItemTemplate(bool extended, std::u16string title, TemplateItem item) {
  TemplateSpec spec;
  spec.extended = extended;
  spec.style = WS_POPUP | WS_SYSMENU | DS_FIXEDSYS;
  spec.withFont = true;
  spec.cx = 228;
  spec.cy = 143;
  spec.title = std::move(title);
  spec.items.push_back(std::move(item));
  return TemplateWriter().Write(spec);
}

class CItem : public CWnd {};

struct Post {
  HWND hwnd;  // null: the dialog's item
  UINT message;
  WPARAM wParam;
};

// Records its steps; what it does on its own is set by the test.
class CProbeDialog : public CDialog {
 public:
  using CDialog::CDialog;
  std::vector<std::string> steps;
  std::vector<UINT> firstMessages;
  bool swallowEnter = false;
  bool endFromThread = false;
  std::vector<Post> toPost;  // posted from OnInitDialog
  CItem item;
  bool ownerDisabledMeanwhile = false;
  std::thread ender;

  ~CProbeDialog() override {
    if (ender.joinable()) ender.join();
  }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (firstMessages.size() < 3) firstMessages.push_back(message);
    return CDialog::WindowProc(message, wParam, lParam);
  }
  BOOL PreTranslateMessage(MSG* msg) override {
    if (swallowEnter && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
      steps.push_back("enter swallowed");
      return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
  }

 protected:
  void DoDataExchange(CDataExchange* exchange) override {
    steps.push_back(exchange->m_bSaveAndValidate ? "exchange save" : "exchange load");
    DDX_Control(exchange, kItemId, item);
  }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    steps.push_back(IsWindowVisible() ? "init visible" : "init hidden");
    HWND owner = ::GetParent(m_hWnd);
    ownerDisabledMeanwhile = owner && !::IsWindowEnabled(owner);
    for (const Post& post : toPost) ::PostMessageW(post.hwnd ? post.hwnd : item.m_hWnd, post.message, post.wParam, 0);
    if (endFromThread) {
      HWND self = m_hWnd;
      ender = std::thread([self] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ::SendMessageW(self, WM_END_FROM_THREAD, 0, 0);
      });
    }
    return TRUE;
  }
  void OnOK() override {
    steps.push_back("ok");
    CDialog::OnOK();
  }
  void OnCancel() override {
    steps.push_back("cancel");
    CDialog::OnCancel();
  }
  LRESULT OnEndFromThread(WPARAM, LPARAM) {
    steps.push_back("ended by another thread");
    EndDialog(5);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeDialog, CDialog)
  ON_MESSAGE(WM_END_FROM_THREAD, OnEndFromThread)
END_MESSAGE_MAP()

class CListDialog : public CDialog {
 public:
  CListCtrl list;
  POINT moveTo{-1, -1};  // where OnInitDialog moves the dialog; (-1, -1): nowhere
  RECT seen{};           // the dialog once its loop runs
  RECT listSeen{};       // the list in the dialog's client area
  bool boundInInit = false;

 protected:
  void DoDataExchange(CDataExchange* exchange) override { DDX_Control(exchange, kListId, list); }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    boundInInit = list.m_hWnd == ::GetDlgItem(m_hWnd, kListId) && list.GetHeaderCtrl() != nullptr;
    if (moveTo.x >= 0) SetWindowPos(nullptr, moveTo.x, moveTo.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PostMessage(WM_LOOK);
    return TRUE;
  }
  LRESULT OnLook(WPARAM, LPARAM) {
    GetWindowRect(&seen);
    list.GetWindowRect(&listSeen);
    ScreenToClient(&listSeen);
    EndDialog(IDCANCEL);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CListDialog, CDialog)
  ON_MESSAGE(WM_LOOK, OnLook)
END_MESSAGE_MAP()

// The application's main window, noting the messages the modal loop's
// pre-translate step offers it.
class CMain : public CWnd {
 public:
  std::vector<UINT> offered;
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_KEYDOWN || msg->message == WM_NOTE) offered.push_back(msg->message);
    return FALSE;
  }
};

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(main.CreateEx(0, RawClass(), u"main", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr));
    app.m_pMainWnd = &main;
  }
  void TearDown() override { app.m_pMainWnd = nullptr; }

  CWinApp app{u"dialogs"};
  CMain main;
  std::vector<DWORD> storage = OneItemTemplate(false, u"Quorla购物浏览器设置",
                                               {TemplateName::Text(RawClass()), {}, kItemId, 9, 94, 34, 12,
                                                WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, {}, 0});
};

TEST_F(DialogTest, KeysEndTheDialogThroughItsOwnPreTranslation) {
  const struct {
    const char* name;
    std::vector<WPARAM> keys;
    bool swallowEnter;
    INT_PTR result;
    std::vector<std::string> steps;
  } cases[] = {
      {"Enter", {VK_RETURN}, false, IDOK, {"exchange load", "init hidden", "ok", "exchange save"}},
      {"Esc", {VK_ESCAPE}, false, IDCANCEL, {"exchange load", "init hidden", "cancel"}},
      {"Enter swallowed, then Esc",
       {VK_RETURN, VK_ESCAPE},
       true,
       IDCANCEL,
       {"exchange load", "init hidden", "enter swallowed", "cancel"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    main.offered.clear();
    CProbeDialog dialog;
    ASSERT_TRUE(dialog.InitModalIndirect(quorla_test::AsTemplate(storage), &main));
    dialog.swallowEnter = c.swallowEnter;
    for (WPARAM key : c.keys) dialog.toPost.push_back({nullptr, WM_KEYDOWN, key});
    EXPECT_EQ(dialog.DoModal(), c.result);
    EXPECT_EQ(dialog.steps, c.steps);
    // The dialog took its keys: the main window's pre-translation never saw them.
    EXPECT_TRUE(main.offered.empty());
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.item.m_hWnd, nullptr);
  }
}

TEST_F(DialogTest, BoundFromTheFirstMessageWithItsOwnerDisabledMeanwhile) {
  CProbeDialog dialog;
  ASSERT_TRUE(dialog.InitModalIndirect(quorla_test::AsTemplate(storage), &main));
  // Messages of other windows meet the application's pre-translate step
  // inside the dialog's loop too.
  dialog.toPost.push_back({main.m_hWnd, WM_NOTE, 0});
  dialog.toPost.push_back({nullptr, WM_KEYDOWN, VK_ESCAPE});
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  ASSERT_FALSE(dialog.firstMessages.empty());
  EXPECT_NE(std::find(dialog.firstMessages.begin(), dialog.firstMessages.end(), WM_NCCREATE),
            dialog.firstMessages.end());
  EXPECT_TRUE(dialog.ownerDisabledMeanwhile);
  EXPECT_TRUE(main.IsWindowEnabled());
  EXPECT_EQ(main.offered, std::vector<UINT>{WM_NOTE});
}

TEST_F(DialogTest, EndDialogFromAMessageSentByAnotherThreadEndsTheLoop) {
  CProbeDialog dialog;
  ASSERT_TRUE(dialog.InitModalIndirect(quorla_test::AsTemplate(storage), &main));
  dialog.endFromThread = true;
  EXPECT_EQ(dialog.DoModal(), 5);
  EXPECT_EQ(dialog.steps.back(), "ended by another thread");
}

TEST_F(DialogTest, TemplatesFromTheProgramsResources) {
  ASSERT_TRUE(RegisterResourceW(nullptr, RT_DIALOG, MAKEINTRESOURCEW(381), storage.data(),
                                static_cast<DWORD>(storage.size() * sizeof(DWORD))));
  CProbeDialog found(381, &main);
  found.toPost.push_back({nullptr, WM_KEYDOWN, VK_RETURN});
  EXPECT_EQ(found.DoModal(), IDOK);
  CProbeDialog missing(382, &main);
  EXPECT_EQ(missing.DoModal(), -1);
  EXPECT_TRUE(missing.steps.empty());
  EXPECT_TRUE(main.IsWindowEnabled());
}

TEST_F(DialogTest, QuitEndsTheLoopAndIsPostedAgain) {
  CProbeDialog dialog;
  ASSERT_TRUE(dialog.InitModalIndirect(quorla_test::AsTemplate(storage), &main));
  PostQuitMessage(3);
  EXPECT_EQ(dialog.DoModal(), -1);
  EXPECT_EQ(dialog.m_hWnd, nullptr);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_TRUE(main.IsWindowEnabled());
}

// Where a modal dialog opens, and a list control bound to a dialog made
// from an extended template, as the watch-list dialog is.
TEST_F(DialogTest, ADialogItsInitialisationLeftInPlaceOpensCentredOverItsOwner) {
  main.SetWindowPos(nullptr, 50, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
  const std::vector<DWORD> list = OneItemTemplate(
      true, u"", {TemplateName::Text(u"SysListView32"), {}, kListId, 1, 32, 200, 100,
                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_ALIGNLEFT, 0, {}, 0});
  // 228 × 143 dialog units at 6 × 13 pixels per 4 × 8: 342 × 232 pixels.
  struct Case {
    const char* name;
    POINT moveTo;
    POINT expected;
  } cases[] = {
      {"left where the template put it", {-1, -1}, {50 + 200 - 171, 50 + 150 - 116}},
      {"moved by its initialisation", {5, 7}, {5, 7}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CListDialog dialog;
    dialog.moveTo = c.moveTo;
    ASSERT_TRUE(dialog.InitModalIndirect(quorla_test::AsTemplate(list), &main));
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(dialog.boundInInit);
    EXPECT_EQ(CRect(dialog.seen), CRect(c.expected.x, c.expected.y, c.expected.x + 342, c.expected.y + 232));
    // The list at (1, 32) dialog units: 2 and 52 pixels.
    EXPECT_EQ(CRect(dialog.listSeen).TopLeft(), CPoint(2, 52));
    EXPECT_EQ(dialog.list.m_hWnd, nullptr) << "unbound with the dialog";
  }
}

}  // namespace
