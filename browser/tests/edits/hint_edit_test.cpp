#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "address_edit.h"
#include "price_edit.h"
#include "search_edit.h"
#include "ui_test_support.h"

namespace {

using namespace ui_test;

constexpr DWORD kBoxStyle = 0x52000080;  // child, visible, clipping children, scrolling sideways
const char16_t kTaobaoHint[] = u"淘宝网搜索";

std::u16string TextOf(CWnd& box) {
  CString text;
  box.GetWindowText(text);
  return text.str();
}

// A search box and a second box to take the focus from it, on a host.
struct Boxes {
  Boxes() {
    EXPECT_TRUE(search.Create(kBoxStyle, CRect(10, 10, 268, 30), &host, 1031));
    EXPECT_TRUE(other.Create(kBoxStyle, CRect(10, 50, 268, 70), &host, 1034));
    Pump();
  }
  void FocusOther() {
    other.SetFocus();
    Pump();
  }
  void FocusSearch() {
    search.SetFocus();
    Pump();
  }

  CHostWnd host;
  CSearchEdit search;
  CAddressEdit other;
};

TEST(HintEdit, FontsOfTheirOwn) {
  const struct {
    const char* name;
    std::function<CHintEdit*()> make;
    const char16_t* face;
    LONG height;
  } cases[] = {
      {"price box", [] { return new CPriceEdit; }, u"宋体", 12},
      {"search box", [] { return new CSearchEdit; }, u"宋体", 16},
      {"address box", [] { return new CAddressEdit; }, u"Arial", 18},
  };
  CHostWnd host;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<CHintEdit> box(c.make());
    EXPECT_EQ(box->OwnFont().GetSafeHandle(), nullptr) << "made with the window";
    ASSERT_TRUE(box->Create(kBoxStyle, CRect(0, 0, 200, 24), &host, 100));
    LOGFONTW font{};
    ASSERT_NE(box->OwnFont().GetLogFont(&font), 0);
    EXPECT_EQ(std::u16string(font.lfFaceName), c.face);
    EXPECT_EQ(font.lfHeight, c.height);
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(font.lfCharSet, 0);
    EXPECT_EQ(font.lfPitchAndFamily, 0x20) << "FF_SWISS";
    EXPECT_EQ(font.lfItalic, 0);
    EXPECT_EQ(font.lfUnderline, 0);
    EXPECT_EQ(reinterpret_cast<HFONT>(box->SendMessage(WM_GETFONT)), static_cast<HFONT>(box->OwnFont()))
        << "the box uses it";
    EXPECT_TRUE(box->IsShowingHint()) << "an empty box shows its empty hint";
    EXPECT_TRUE(box->GetHintText().IsEmpty());
  }
}

TEST(HintEdit, FocusLeavingDecidesBetweenTheUsersTextAndTheHint) {
  struct Case {
    const char* name;
    const char16_t* hint;
    const char16_t* typed;
    const char16_t* shown;  // the text afterwards
    BOOL flag;
  };
  const std::vector<Case> cases = {
      {"empty: the hint comes back", kTaobaoHint, u"", kTaobaoHint, TRUE},
      {"blanks are the user's text", kTaobaoHint, u"   ", u"   ", FALSE},
      {"a word", kTaobaoHint, u"手机", u"手机", FALSE},
      {"the hint typed exactly is the hint", kTaobaoHint, kTaobaoHint, kTaobaoHint, TRUE},
      {"the hint typed in another case is the hint, written as the hint", u"Taobao搜索", u"TAOBAO搜索",
       u"Taobao搜索", TRUE},
      {"more than the hint is the user's", kTaobaoHint, u"淘宝网搜索 ", u"淘宝网搜索 ", FALSE},
      {"no hint set: empty stays empty", u"", u"", u"", TRUE},
      {"the hint typed key by key in another case", u"Dangdang", u"dANGdang", u"Dangdang", TRUE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Boxes boxes;
    boxes.search.SetHintText(c.hint);
    boxes.FocusSearch();
    boxes.search.SetWindowText(u"");
    boxes.search.SetHintFlag(FALSE);  // as after the first click
    for (char16_t ch : std::u16string(c.typed)) boxes.search.SendMessage(WM_CHAR, ch, 1);
    Pump();
    ASSERT_EQ(TextOf(boxes.search), c.typed);
    boxes.FocusOther();
    EXPECT_EQ(TextOf(boxes.search), c.shown);
    EXPECT_EQ(boxes.search.IsShowingHint(), c.flag);
    EXPECT_EQ(boxes.search.GetHintText().str(), std::u16string(c.hint));
  }
}

TEST(HintEdit, SetHintTextLeavesAFocusedBoxAlone) {
  Boxes boxes;
  boxes.search.SetHintText(kTaobaoHint);
  EXPECT_EQ(TextOf(boxes.search), kTaobaoHint);
  EXPECT_TRUE(boxes.search.IsShowingHint());

  // Unfocused: a new hint replaces the old one on screen, even over the
  // user's text (the owner sets it only while the box shows its hint).
  boxes.search.SetHintFlag(FALSE);
  boxes.search.SetHintText(u"京东商城搜索");
  EXPECT_EQ(TextOf(boxes.search), u"京东商城搜索");
  EXPECT_EQ(boxes.search.GetHintText().str(), u"京东商城搜索");
  EXPECT_TRUE(boxes.search.IsShowingHint());

  // Focused: nothing at all changes, not even the stored hint.
  boxes.FocusSearch();
  boxes.search.SetWindowText(u"手");
  boxes.search.SetHintFlag(FALSE);
  boxes.search.SetHintText(u"当当网搜索");
  EXPECT_EQ(TextOf(boxes.search), u"手");
  EXPECT_EQ(boxes.search.GetHintText().str(), u"京东商城搜索");
  EXPECT_FALSE(boxes.search.IsShowingHint());
  boxes.FocusOther();
  EXPECT_EQ(TextOf(boxes.search), u"手");
}

// The first click into a search or price box (which differ in their fonts
// only): the hint goes, the user's text stays; a click into a box that has
// the focus changes nothing.
TEST(HintEdit, FirstClickTakesTheHintAway) {
  struct Case {
    const char* name;
    const char16_t* hint;
    const char16_t* text;  // in the box before the click
    BOOL flag;
    bool focused;          // the box has the focus before the click
    const char16_t* after;
    BOOL flagAfter;
  };
  const std::vector<Case> cases = {
      {"the hint is cleared", kTaobaoHint, kTaobaoHint, TRUE, false, u"", FALSE},
      {"the user's text stays", kTaobaoHint, u"手机", FALSE, false, u"手机", FALSE},
      {"the hint in another case is cleared", u"JD搜索", u"jd搜索", FALSE, false, u"", FALSE},
      {"the hint's words within more text stay", kTaobaoHint, u"淘宝网搜索手机", FALSE, false, u"淘宝网搜索手机", FALSE},
      {"a focused box keeps even the hint", kTaobaoHint, kTaobaoHint, TRUE, true, kTaobaoHint, TRUE},
      {"a focused box keeps the user's text", kTaobaoHint, u"手机", FALSE, true, u"手机", FALSE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Boxes boxes;
    boxes.search.SetHintText(c.hint);
    if (c.focused) boxes.FocusSearch();
    boxes.search.SetWindowText(c.text);
    boxes.search.SetHintFlag(c.flag);
    ClickAt(boxes.search, 30, 10);
    Pump();
    EXPECT_EQ(CWnd::GetFocus(), &boxes.search) << "the default handling focuses the box";
    EXPECT_EQ(TextOf(boxes.search), c.after);
    EXPECT_EQ(boxes.search.IsShowingHint(), c.flagAfter);
  }
}

TEST(AddressEdit, FirstClickSelectsTheWholeAddress) {
  const char16_t address[] = u"http://www.example.com/a/very/long/path/that/does/not/fit/in/the/box.html";
  const int length = static_cast<int>(std::u16string(address).size());
  struct Case {
    const char* name;
    bool focused;
    int start, end;  // the selection after the click; -1: collapsed at the caret
    BOOL flagAfter;  // a fresh box's flag is set; only a first click clears it
  };
  const std::vector<Case> cases = {
      {"unfocused: everything", false, 0, length, FALSE},
      {"focused: the click only places the caret", true, -1, -1, TRUE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CHostWnd host;
    CAddressEdit box;
    CSearchEdit other;
    ASSERT_TRUE(box.Create(kBoxStyle, CRect(10, 10, 210, 30), &host, 1034));
    ASSERT_TRUE(other.Create(kBoxStyle, CRect(10, 50, 200, 70), &host, 1031));
    box.SetWindowText(address);
    if (c.focused) {
      box.SetFocus();
    } else {
      other.SetFocus();
    }
    Pump();
    box.SetSel(0, 0);
    ClickAt(box, 100, 10);
    Pump();
    EXPECT_EQ(CWnd::GetFocus(), &box);
    int start = -2, end = -2;
    box.GetSel(start, end);
    if (c.start >= 0) {
      EXPECT_EQ(start, c.start);
      EXPECT_EQ(end, c.end);
    } else {
      EXPECT_EQ(start, end) << "no selection";
      EXPECT_GT(start, 0) << "the caret at the click, not at the start";
    }
    EXPECT_EQ(box.IsShowingHint(), c.flagAfter);
    EXPECT_EQ(TextOf(box), address) << "the address is never cleared";
    // Focus leaving keeps the address: it is no hint.
    other.SetFocus();
    Pump();
    EXPECT_EQ(TextOf(box), address);
    EXPECT_FALSE(box.IsShowingHint());
  }
}

TEST(AddressEdit, EmptyBoxGetsItsEmptyHintBack) {
  Boxes boxes;
  boxes.other.SetWindowText(u"http://a.example/");
  ClickAt(boxes.other, 20, 10);
  Pump();
  EXPECT_FALSE(boxes.other.IsShowingHint());
  boxes.other.SetWindowText(u"");
  boxes.FocusSearch();
  EXPECT_EQ(TextOf(boxes.other), u"");
  EXPECT_TRUE(boxes.other.IsShowingHint());
}

}  // namespace
