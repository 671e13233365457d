#include "choose_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fixture_ids.h"
#include "pixel_reader.h"
#include "ui_fonts.h"
#include "ui_test_support.h"

namespace {

using namespace edits_test;
using namespace ui_test;

const int kIds[3] = {1600, 1601, 1602};
const char16_t* const kTitles[3] = {u"淘宝网", u"京东商城", u"当当网"};
const UINT kIcons[3] = {kRedIconPng, kGreenIconPng, kPurpleIconPng};

// A list of the three shops at (10, 20) of a host, 82 x 77, shown.
struct Chooser {
  Chooser() {
    InitUiFonts();
    EXPECT_TRUE(list.CreateList(&host));
    EXPECT_EQ(LoadPngImage(kChooseSkinPng, &list.SkinImage(), 1, 9), TRUE);
    for (int i = 0; i < 3; ++i) list.AddEntry(kIcons[i], kIds[i], kTitles[i]);
    list.MoveWindow(10, 20, 82, 25 * 3 + 2);
    list.ShowWindow(SW_SHOW);
    Pump();
  }

  std::string States() {
    std::string s;
    for (int i = 0; i < 3; ++i) s += static_cast<char>('0' + list.GetEntry(i)->state);
    return s;
  }

  CHostWnd host;
  CChooseList list;
};

TEST(ChooseList, CreatedHiddenWithoutPlaceOrTitle) {
  InitUiFonts();
  CHostWnd host;
  CChooseList list;
  ASSERT_TRUE(list.CreateList(&host));
  EXPECT_FALSE(list.IsWindowVisible());
  EXPECT_EQ(list.GetStyle() & (WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN),
            static_cast<DWORD>(WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN));
  EXPECT_EQ(list.GetDlgCtrlID(), -1);
  EXPECT_EQ(list.GetWindowTextLength(), 0);
  EXPECT_EQ(list.GetParent(), &host);
  EXPECT_EQ(list.GetSelection(), 0);
}

TEST(ChooseList, EntriesStackFromTheTopAndAreFoundByCommand) {
  Chooser c;
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    ChooseEntry* entry = c.list.GetEntry(i);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->rect, CRect(1, 1 + 25 * i, 81, 26 + 25 * i));
    EXPECT_EQ(entry->id, kIds[i]);
    EXPECT_EQ(entry->title.str(), std::u16string(kTitles[i]));
    EXPECT_EQ(entry->state, ChooseEntry::kNormal);
    EXPECT_EQ(entry->icon.GetWidth(), 16);
    EXPECT_EQ(entry->icon.m_nFrameWidth, 16);
    EXPECT_EQ(entry->icon.m_nFrameHeight, 14);
    EXPECT_EQ(c.list.FindEntry(kIds[i]), entry);
  }
  EXPECT_EQ(c.list.FindEntry(1603), nullptr);
  EXPECT_EQ(c.list.GetEntry(3), nullptr);
  EXPECT_EQ(c.list.GetEntry(-1), nullptr);

  // An icon that does not load leaves an entry without one, in its place.
  ChooseEntry* fourth = c.list.AddEntry(kMissingPng, 1603, u"无图标");
  ASSERT_NE(fourth, nullptr);
  EXPECT_TRUE(fourth->icon.IsNull());
  EXPECT_EQ(fourth->rect, CRect(1, 76, 81, 101));
  EXPECT_EQ(c.list.FindEntry(1603), fourth);
  EXPECT_EQ(c.list.GetEntry(0)->rect, CRect(1, 1, 81, 26)) << "earlier entries keep their places";
}

enum class Act {
  Move,         // the pointer over an entry, no button held
  MoveFree,     // over the list's frame, on no entry
  MoveAway,     // onto the host, out of the list
  Drag,         // over an entry with the button held
  DragFree,
  DragAway,
  Press,
  PressFree,
  Release,
  ReleaseFree,
  ReleaseAway,
  Leave,         // the pointer leaves the program's windows
  SendPress,     // WM_LBUTTONDOWN sent at an entry, as the main window forwards it
  SendRelease,   // WM_LBUTTONUP sent at an entry
  SendOutside,   // a press and a release sent with lParam 0, as forwarded from another window
  StealCapture,  // another window takes the capture
};

struct Step {
  Act act;
  int entry;          // 0 to 2 where the act names one
  const char* after;  // the three states after the step
};

struct Case {
  const char* name;
  std::vector<Step> steps;
  std::vector<int> commands;  // posted to the host, in order
  int selection;              // the list's selection afterwards
};

void Do(Chooser& c, const Step& step) {
  CChooseList& list = c.list;
  const CPoint at = list.GetEntry(step.entry)->rect.CenterPoint();
  const CPoint free(81, 40);     // the right frame column
  const CPoint away(200, 40);    // on the host, right of the list
  switch (step.act) {
    case Act::Move: return MoveTo(list, at.x, at.y);
    case Act::MoveFree: return MoveTo(list, free.x, free.y);
    case Act::MoveAway: return MoveTo(list, away.x, away.y);
    case Act::Drag: return MoveTo(list, at.x, at.y, true);
    case Act::DragFree: return MoveTo(list, free.x, free.y, true);
    case Act::DragAway: return MoveTo(list, away.x, away.y, true);
    case Act::Press: return PressAt(list, at.x, at.y);
    case Act::PressFree: return PressAt(list, free.x, free.y);
    case Act::Release: return ReleaseAt(list, at.x, at.y);
    case Act::ReleaseFree: return ReleaseAt(list, free.x, free.y);
    case Act::ReleaseAway: return ReleaseAt(list, away.x, away.y);
    case Act::Leave: LeaveHost(c.host); return Pump();
    case Act::SendPress:
      list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
      return Pump();
    case Act::SendRelease:
      list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
      return Pump();
    case Act::SendOutside:
      list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0);
      list.SendMessage(WM_LBUTTONUP, 0, 0);
      return Pump();
    case Act::StealCapture:
      c.host.SetCapture();
      ReleaseCapture();
      return Pump();
  }
}

TEST(ChooseList, MouseStatesAndCommands) {
  // "012": entry 0 normal, entry 1 hover, entry 2 pressed.
  const std::vector<Case> cases = {
      {"hover follows the pointer",
       {{Act::Move, 0, "100"}, {Act::Move, 1, "010"}, {Act::Move, 2, "001"}, {Act::MoveFree, 0, "000"}},
       {},
       0},
      {"a click chooses the entry",
       {{Act::Move, 1, "010"}, {Act::Press, 1, "020"}, {Act::Release, 1, "000"}, {Act::Move, 1, "010"}},
       {1601},
       1601},
      {"off the entry and back before the release",
       {{Act::Press, 2, "002"}, {Act::Drag, 0, "000"}, {Act::DragFree, 0, "000"}, {Act::DragAway, 0, "000"},
        {Act::Drag, 2, "002"}, {Act::Release, 2, "000"}},
       {1602},
       1602},
      {"released over another entry: no choice",
       {{Act::Press, 0, "200"}, {Act::Drag, 1, "000"}, {Act::Release, 1, "000"}},
       {1610},
       0},
      {"released on the frame: no choice", {{Act::Press, 0, "200"}, {Act::ReleaseFree, 0, "000"}}, {1610}, 0},
      {"released outside the list: no choice",
       {{Act::Press, 2, "002"}, {Act::DragAway, 0, "000"}, {Act::ReleaseAway, 0, "000"}},
       {1610},
       0},
      {"released without a press on an entry: no choice, whatever lies under it",
       {{Act::PressFree, 0, "000"}, {Act::Drag, 1, "000"}, {Act::Release, 1, "000"}},
       {1610},
       0},
      {"a release without the capture closes", {{Act::Move, 1, "010"}, {Act::SendRelease, 1, "010"}}, {1610}, 0},
      {"a click forwarded from elsewhere closes", {{Act::SendOutside, 0, "000"}}, {1610}, 0},
      {"the pointer leaves the program", {{Act::Move, 2, "001"}, {Act::Leave, 0, "000"}}, {}, 0},
      {"the pointer moves onto the host", {{Act::Move, 0, "100"}, {Act::MoveAway, 0, "000"}}, {}, 0},
      {"a press before any move: the old hover goes out",
       {{Act::Move, 0, "100"}, {Act::SendPress, 2, "002"}, {Act::Release, 2, "000"}},
       {1602},
       1602},
      {"the capture taken away ends the press",
       {{Act::Press, 1, "020"}, {Act::StealCapture, 0, "000"}, {Act::SendRelease, 1, "000"}},
       {1610},
       0},
      {"two choices: the last one is the selection",
       {{Act::Press, 0, "200"}, {Act::Release, 0, "000"}, {Act::Press, 2, "002"}, {Act::Release, 2, "000"}},
       {1600, 1602},
       1602},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    Chooser c;
    for (size_t i = 0; i < test.steps.size(); ++i) {
      SCOPED_TRACE(i);
      Do(c, test.steps[i]);
      EXPECT_EQ(c.States(), test.steps[i].after);
    }
    EXPECT_EQ(c.host.Commands(), test.commands);
    for (const Posted& p : c.host.posted) {
      if (p.message == WM_COMMAND) {
        EXPECT_EQ(p.lParam, 0);
      }
    }
    EXPECT_EQ(c.list.GetSelection(), test.selection);
    EXPECT_EQ(CWnd::GetCapture(), nullptr) << "no capture outlives the release";
  }
}

// Checks an entry's three slices, icon and text area in the list's pixels.
void ExpectEntry(const Pixels& p, int index, int firstFrame, COLORREF icon) {
  SCOPED_TRACE(index);
  const int top = 1 + 25 * index;
  EXPECT_EQ(p.At(1, top), kSkin[firstFrame]) << "left slice";
  EXPECT_EQ(p.At(6, top + 2), kSkin[firstFrame]) << "left slice, last column";
  EXPECT_EQ(p.At(7, top + 2), kSkin[firstFrame + 1]) << "middle slice, first column";
  EXPECT_EQ(p.At(60, top), kSkin[firstFrame + 1]) << "middle slice, stretched";
  EXPECT_EQ(p.At(74, top + 24), kSkin[firstFrame + 1]) << "middle slice, last column";
  EXPECT_EQ(p.At(75, top + 24), kSkin[firstFrame + 2]) << "right slice";
  EXPECT_EQ(p.At(80, top + 12), kSkin[firstFrame + 2]) << "right slice, last column";
  // The 16 x 14 icon two pixels in, centred in 25 rows: rows 5 to 18.
  EXPECT_EQ(p.At(3, top + 5), icon);
  EXPECT_EQ(p.At(18, top + 18), icon);
  EXPECT_EQ(p.At(2, top + 12), kSkin[firstFrame]);
  EXPECT_EQ(p.At(3, top + 4), kSkin[firstFrame]);
  EXPECT_EQ(p.At(3, top + 19), kSkin[firstFrame]);
  // The title in black from icon width + 4 on, centred vertically.
  int dark = 0, darkBefore = 0, darkAboveOrBelow = 0;
  for (int y = top; y < top + 25; ++y)
    for (int x = 1; x < 81; ++x) {
      const COLORREF c = p.At(x, y);
      const bool isDark = GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100;
      if (!isDark) continue;
      if (x >= 21) {
        ++dark;
        if (y < top + 5 || y > top + 20) ++darkAboveOrBelow;
      } else if (x < 19) {
        ++darkBefore;
      }
    }
  EXPECT_GT(dark, 20) << "the title is drawn";
  EXPECT_EQ(darkAboveOrBelow, 0) << "a 12-pixel line centred in 25";
  EXPECT_EQ(darkBefore, 0) << "no text over the icon";
}

TEST(ChooseList, PaintsFrameSlicesIconsAndTitles) {
  Chooser c;
  const Pixels normal = Pixels::OfWindow(c.list);
  ASSERT_EQ(normal.width(), 82);
  ASSERT_EQ(normal.height(), 77);
  for (CPoint edge : {CPoint(0, 0), CPoint(40, 0), CPoint(81, 0), CPoint(0, 38), CPoint(81, 38), CPoint(0, 76),
                      CPoint(40, 76), CPoint(81, 76)}) {
    SCOPED_TRACE(edge.x * 1000 + edge.y);
    EXPECT_EQ(normal.At(edge.x, edge.y), CChooseList::kFrameColour);
  }
  ExpectEntry(normal, 0, 0, kRed);
  ExpectEntry(normal, 1, 0, kGreen);
  ExpectEntry(normal, 2, 0, kPurple);

  MoveTo(c.list, 40, 30);
  const Pixels hover = Pixels::OfWindow(c.list);
  ExpectEntry(hover, 0, 0, kRed);
  ExpectEntry(hover, 1, 3, kGreen);
  ExpectEntry(hover, 2, 0, kPurple);

  PressAt(c.list, 40, 60);
  const Pixels pressed = Pixels::OfWindow(c.list);
  ExpectEntry(pressed, 1, 0, kGreen);
  ExpectEntry(pressed, 2, 6, kPurple);
  EXPECT_EQ(pressed.At(0, 0), CChooseList::kFrameColour);
  ReleaseAt(c.list, 40, 60);
}

}  // namespace
