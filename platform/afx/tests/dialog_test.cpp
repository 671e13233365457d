#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

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

std::vector<DWORD> TemplateWithOneItem() {
  TemplateSpec spec;
  spec.style = WS_POPUP | WS_SYSMENU | DS_FIXEDSYS;
  spec.withFont = true;
  spec.cx = 228;
  spec.cy = 143;
  spec.title = u"Quorla购物浏览器设置";
  TemplateItem item;
  item.windowClass = TemplateName::Text(RawClass());
  item.id = kItemId;
  item.x = 9;
  item.y = 94;
  item.cx = 34;
  item.cy = 12;
  item.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
  spec.items.push_back(item);
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
  std::vector<DWORD> storage = TemplateWithOneItem();
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

}  // namespace
