// Where a modal dialog opens, and a list control bound to a dialog made
// from an extended template, as the watch-list dialog is.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "afx/afxcmn.h"
#include "afx/afxwin.h"
#include "afx_test_support.h"
#include "dialog_template_writer.h"

namespace {

using quorla_test::TemplateItem;
using quorla_test::TemplateName;
using quorla_test::TemplateSpec;
using quorla_test::TemplateWriter;

constexpr UINT WM_LOOK = WM_USER + 50;
constexpr int kListId = 2000;

// An extended template at (0, 0) with one list view, as template 381 is,
// at a size that fits any screen the tests run on.
std::vector<DWORD> ListTemplate() {
  TemplateSpec spec;
  spec.extended = true;
  spec.style = WS_POPUP | WS_SYSMENU | DS_FIXEDSYS;
  spec.withFont = true;
  spec.cx = 228;
  spec.cy = 143;
  TemplateItem list;
  list.windowClass = TemplateName::Text(u"SysListView32");
  list.id = kListId;
  list.x = 1;
  list.y = 32;
  list.cx = 200;
  list.cy = 100;
  list.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_ALIGNLEFT;
  spec.items.push_back(list);
  return TemplateWriter().Write(spec);
}

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

TEST(DialogPlacement, ADialogItsInitialisationLeftInPlaceOpensCentredOverItsOwner) {
  CWinApp app{u"placement"};
  CWnd owner;
  ASSERT_TRUE(owner.CreateEx(0, afx_test::RawClass(), u"owner", WS_POPUP | WS_VISIBLE, 50, 50, 400, 300, nullptr,
                             nullptr));
  app.m_pMainWnd = &owner;
  const std::vector<DWORD> storage = ListTemplate();
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
    ASSERT_TRUE(dialog.InitModalIndirect(quorla_test::AsTemplate(storage), &owner));
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(dialog.boundInInit);
    EXPECT_EQ(dialog.seen.left, c.expected.x);
    EXPECT_EQ(dialog.seen.top, c.expected.y);
    EXPECT_EQ(dialog.seen.right - dialog.seen.left, 342);
    EXPECT_EQ(dialog.seen.bottom - dialog.seen.top, 232);
    // The list at (1, 32) dialog units: 2 and 52 pixels.
    EXPECT_EQ(dialog.listSeen.left, 2);
    EXPECT_EQ(dialog.listSeen.top, 52);
    EXPECT_EQ(dialog.list.m_hWnd, nullptr) << "unbound with the dialog";
  }
  app.m_pMainWnd = nullptr;
  owner.DestroyWindow();
  afx_test::Drain();
}

}  // namespace
