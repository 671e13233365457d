// Dialog templates read into windows: the dialog's own fields, its font and
// base units, and the items made (or left out) as child windows.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "dialog_template_writer.h"
#include "win/dialogs.h"
#include "win/fonts.h"
#include "win/gdi_objects.h"
#include "win/window_classes.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"

namespace {

using quorla_test::TemplateItem;
using quorla_test::TemplateName;
using quorla_test::TemplateSpec;
using quorla_test::TemplateWriter;

// What each test item saw when it was made.
struct ItemBirth {
  std::vector<BYTE> creationData;  // the bytes after the size word
  bool hadCreationData = false;
  HFONT font = nullptr;
};
std::map<HWND, ItemBirth> g_births;

LRESULT ItemProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    ItemBirth& birth = g_births[hwnd];
    if (create->lpCreateParams) {
      birth.hadCreationData = true;
      WORD size;
      std::memcpy(&size, create->lpCreateParams, sizeof(size));
      auto* data = static_cast<const BYTE*>(create->lpCreateParams) + sizeof(WORD);
      birth.creationData.assign(data, data + size);
    }
  }
  if (message == WM_SETFONT) g_births[hwnd].font = reinterpret_cast<HFONT>(wParam);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterItemClass(LPCWSTR name) {
  WNDCLASSEXW info{};
  info.cbSize = sizeof(info);
  if (GetClassInfoExW(nullptr, name, &info)) return;
  info.lpfnWndProc = ItemProcedure;
  info.lpszClassName = name;
  ASSERT_NE(RegisterClassExW(&info), 0);
}

INT_PTR QuietProcedure(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

struct ExpectedItem {
  DWORD id;
  std::array<LONG, 4> pixels;  // left, top, width, height in the dialog's client area
  std::u16string title;
};

struct TemplateCase {
  const char* name;
  TemplateSpec spec;
  SIZE dialogPixels;
  std::vector<ExpectedItem> made;
  std::vector<DWORD> leftOut;
};

std::vector<TemplateCase> Cases() {
  TemplateItem scroll{TemplateName::Ordinal(0x0083), TemplateName::Text(u"A"), 7, 4, 8, 40, 16,
                      WS_VISIBLE | WS_TABSTOP, 0, {}};
  TemplateItem named{TemplateName::Text(u"QuorlaTestItem"), TemplateName::Text(u"Odd"), 8, 1, 3, 5, 7,
                     WS_VISIBLE, WS_EX_CLIENTEDGE, {1, 2, 3}};
  TemplateItem missing{TemplateName::Text(u"QuorlaNoSuchControl"), TemplateName::None(), 9, 0, 0, 10, 10,
                       WS_VISIBLE, 0, {}};
  TemplateItem iconTitle{TemplateName::Text(u"QuorlaTestItem"), TemplateName::Ordinal(101), 0x12345, 187, 98, 1, 1,
                         0, 0, {9, 8, 7, 6, 5}};

  auto spec = [](bool extended, short cx, short cy, std::u16string title, bool withFont,
                 std::vector<TemplateItem> items) {
    TemplateSpec made;
    made.extended = extended;
    made.style = WS_POPUP;
    made.cx = cx;
    made.cy = cy;
    made.title = std::move(title);
    made.withFont = withFont;
    made.items = std::move(items);
    return made;
  };
  // x = MulDiv(dlu, 6, 4), y = MulDiv(dlu, 13, 8), halves away from zero.
  std::vector<TemplateCase> cases = {
      {"plain template with the shell font and three items", spec(false, 187, 98, u"通知", true, {scroll, missing, named}),
       {281, 159}, {{7, {6, 13, 60, 26}, u"A"}, {8, {2, 5, 8, 11}, u"Odd"}}, {9}},
      {"extended template, 32-bit identifiers and an ordinal title", spec(true, 187, 98, u"Ex", true, {named, iconTitle, scroll}),
       {281, 159}, {{8, {2, 5, 8, 11}, u"Odd"}, {0x12345, {281, 159, 2, 2}, u""}, {7, {6, 13, 60, 26}, u"A"}}, {}},
      {"no font: the system's base units", spec(false, 187, 98, u"", false, {scroll}), {374, 196},
       {{7, {8, 16, 80, 32}, u"A"}}, {}},
      {"a menu named in the template is passed over", spec(false, 4, 8, u"t", true, {named}), {6, 13},
       {{8, {2, 5, 8, 11}, u"Odd"}}, {}},
  };
  cases[1].spec.font = {8, u"MS Shell Dlg", FW_BOLD, 1, GB2312_CHARSET};
  cases[3].spec.menu = TemplateName::Text(u"MENU1");
  return cases;
}

class DialogTemplateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterItemClass(u"QuorlaTestItem");
    RegisterItemClass(u"ListBox");  // the layer has no list box: a test class stands in
    g_births.clear();
  }
};

TEST_F(DialogTemplateTest, TemplatesBecomeDialogsWithTheirItems) {
  for (const TemplateCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    g_births.clear();
    auto storage = TemplateWriter().Write(c.spec);
    HWND dialog = CreateDialogIndirectParamW(nullptr, quorla_test::AsTemplate(storage), nullptr, QuietProcedure, 0);
    ASSERT_NE(dialog, nullptr);

    WCHAR title[64] = {};
    GetWindowTextW(dialog, title, 64);
    EXPECT_EQ(std::u16string(title), c.spec.title);
    RECT area{};
    GetClientRect(dialog, &area);
    EXPECT_EQ(std::make_pair(area.right, area.bottom), std::make_pair(c.dialogPixels.cx, c.dialogPixels.cy));
    EXPECT_FALSE(IsWindowVisible(dialog));  // the template has no WS_VISIBLE

    auto font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    EXPECT_EQ(font != nullptr, c.spec.withFont);
    for (const auto& item : c.made) {
      SCOPED_TRACE(item.id);
      HWND child = GetDlgItem(dialog, static_cast<int>(item.id));
      ASSERT_NE(child, nullptr);
      EXPECT_EQ(GetParent(child), dialog);
      EXPECT_EQ(GetDlgCtrlID(child), static_cast<int>(item.id));
      EXPECT_TRUE(GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD);
      RECT window{};
      GetWindowRect(child, &window);
      POINT corner{window.left, window.top};
      ScreenToClient(dialog, &corner);
      EXPECT_EQ((std::array<LONG, 4>{corner.x, corner.y, window.right - window.left, window.bottom - window.top}),
                item.pixels);
      WCHAR text[64] = {};
      GetWindowTextW(child, text, 64);
      EXPECT_EQ(std::u16string(text), item.title);
      EXPECT_EQ(g_births[child].font, font);
    }
    for (DWORD id : c.leftOut) EXPECT_EQ(GetDlgItem(dialog, static_cast<int>(id)), nullptr);
    EXPECT_TRUE(DestroyWindow(dialog));
  }
}

TEST_F(DialogTemplateTest, ItemsGetTheirCreationDataAndStyles) {
  TemplateSpec spec;
  spec.extended = true;
  spec.style = WS_POPUP;
  spec.cx = 100;
  spec.cy = 100;
  spec.items = {
      {TemplateName::Text(u"QuorlaTestItem"), TemplateName::Text(u"x"), 1, 0, 0, 4, 4, WS_VISIBLE, WS_EX_CLIENTEDGE,
       {0xAA, 0xBB, 0xCC}},
      {TemplateName::Text(u"QuorlaTestItem"), TemplateName::Text(u"yz"), 2, 0, 0, 4, 4, 0, 0, {}},
      {TemplateName::Text(u"QuorlaTestItem"), TemplateName::Text(u""), 3, 0, 0, 4, 4, WS_DISABLED, 0, {0x11}},
  };
  auto storage = TemplateWriter().Write(spec);
  HWND dialog = CreateDialogIndirectParamW(nullptr, quorla_test::AsTemplate(storage), nullptr, QuietProcedure, 0);
  ASSERT_NE(dialog, nullptr);
  struct Expect {
    int id;
    std::vector<BYTE> data;
    DWORD style;
    DWORD exStyle;
  } expected[] = {{1, {0xAA, 0xBB, 0xCC}, WS_VISIBLE, WS_EX_CLIENTEDGE}, {2, {}, 0, 0}, {3, {0x11}, WS_DISABLED, 0}};
  for (const Expect& e : expected) {
    SCOPED_TRACE(e.id);
    HWND child = GetDlgItem(dialog, e.id);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(g_births[child].hadCreationData, !e.data.empty());
    EXPECT_EQ(g_births[child].creationData, e.data);
    auto style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
    EXPECT_EQ(style & (WS_VISIBLE | WS_DISABLED | WS_CHILD), e.style | WS_CHILD);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(child, GWL_EXSTYLE)) & WS_EX_CLIENTEDGE, e.exStyle);
  }
  DestroyWindow(dialog);
}

TEST_F(DialogTemplateTest, TheTemplatesFontIsMadeAsAsked) {
  struct FontCase {
    const char* name;
    bool extended;
    WORD weight;
    BYTE italic;
    BYTE charSet;
    LONG expectedWeight;
    BYTE expectedCharSet;
  } cases[] = {
      {"plain template: no weight, the default character set", false, FW_BOLD, 1, GB2312_CHARSET, 0,
       DEFAULT_CHARSET},
      {"extended template: weight, italic and character set", true, FW_BOLD, 1, GB2312_CHARSET, FW_BOLD,
       GB2312_CHARSET},
  };
  for (const FontCase& c : cases) {
    SCOPED_TRACE(c.name);
    TemplateSpec spec;
    spec.extended = c.extended;
    spec.style = WS_POPUP;
    spec.cx = 10;
    spec.cy = 10;
    spec.withFont = true;
    spec.font = {9, u"Tahoma", c.weight, c.italic, c.charSet};
    auto storage = TemplateWriter().Write(spec);
    HWND dialog =
        CreateDialogIndirectParamW(nullptr, quorla_test::AsTemplate(storage), nullptr, QuietProcedure, 0);
    ASSERT_NE(dialog, nullptr);
    auto font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    LOGFONTW description{};
    ASSERT_EQ(GetObjectW(font, sizeof(description), &description), static_cast<int>(sizeof(description)));
    EXPECT_EQ(description.lfHeight, -12);  // 9 points at 96 dots per inch
    EXPECT_EQ(description.lfWeight, c.expectedWeight);
    EXPECT_EQ(description.lfItalic != 0, c.extended);
    EXPECT_EQ(description.lfCharSet, c.expectedCharSet);
    EXPECT_EQ(std::u16string(description.lfFaceName), u"Tahoma");
    DestroyWindow(dialog);
  }
}

TEST_F(DialogTemplateTest, AnUnknownTemplateVersionMakesNoDialog) {
  TemplateSpec spec;
  spec.extended = true;
  spec.version = 2;
  spec.style = WS_POPUP;
  auto storage = TemplateWriter().Write(spec);
  EXPECT_EQ(CreateDialogIndirectParamW(nullptr, quorla_test::AsTemplate(storage), nullptr, QuietProcedure, 0),
            nullptr);
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, quorla_test::AsTemplate(storage), nullptr, QuietProcedure, 0), -1);
}

// A template may name a class of its own whose procedure leaves the rest to
// the dialog's default handling.
std::vector<UINT>* g_ownClassSeen = nullptr;
LRESULT OwnDialogClass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (g_ownClassSeen) g_ownClassSeen->push_back(message);
  return DefDlgProcW(hwnd, message, wParam, lParam);
}
std::vector<UINT>* g_procedureSeen = nullptr;
INT_PTR RecordingProcedure(HWND, UINT message, WPARAM, LPARAM) {
  if (g_procedureSeen) g_procedureSeen->push_back(message);
  return FALSE;
}

TEST_F(DialogTemplateTest, AClassOfItsOwnNamedInTheTemplate) {
  WNDCLASSEXW info{};
  info.cbSize = sizeof(info);
  if (!GetClassInfoExW(nullptr, u"QuorlaOwnDialog", &info)) {
    info.lpfnWndProc = OwnDialogClass;
    info.cbWndExtra = DLGWINDOWEXTRA;
    info.lpszClassName = u"QuorlaOwnDialog";
    ASSERT_NE(RegisterClassExW(&info), 0);
  }
  std::vector<UINT> classSeen, procedureSeen;
  g_ownClassSeen = &classSeen;
  g_procedureSeen = &procedureSeen;
  TemplateSpec spec;
  spec.style = WS_POPUP;
  spec.cx = 10;
  spec.cy = 10;
  spec.windowClass = TemplateName::Text(u"QuorlaOwnDialog");
  auto storage = TemplateWriter().Write(spec);
  HWND dialog =
      CreateDialogIndirectParamW(nullptr, quorla_test::AsTemplate(storage), nullptr, RecordingProcedure, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(classSeen.empty());
  ASSERT_FALSE(procedureSeen.empty());
  EXPECT_EQ(procedureSeen.front(), static_cast<UINT>(WM_NCCREATE));
  EXPECT_EQ(procedureSeen.back(), static_cast<UINT>(WM_INITDIALOG));
  DestroyWindow(dialog);
  g_ownClassSeen = nullptr;
  g_procedureSeen = nullptr;
}

}  // namespace
