#include <gtest/gtest.h>

#include <vector>

#include "fixture_ids.h"
#include "my_image_bar.h"
#include "pixel_reader.h"
#include "tool_tips_probe.h"
#include "ui_test_support.h"

namespace {

using namespace ui_test;

// The caption buttons as the main window makes them: background 339 (25
// high), minimise 342, maximise 341, close 340, each 28 x 25.
class ImageBar : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(bar.Create(&host));
    bar.SetToolTips(&tips.control());
    ASSERT_EQ(LoadPngImage(339, &bar.BackgroundImage(), 1, 1), TRUE);
    EXPECT_EQ(bar.AddButton(342, 1001), 0);
    EXPECT_EQ(bar.AddButton(341, 1003), 1);
    EXPECT_EQ(bar.AddButton(340, 1004), 2);
    const CRect r = bar.GetBarRect();
    bar.MoveWindow(10, 10, r.Width() + 30, r.Height());
    Pump();
  }

  CHostWnd host;
  ToolTipsProbe tips{host};
  CMyImageBar bar;
};

TEST_F(ImageBar, ButtonsTouchCentredOnTheBackground) {
  EXPECT_EQ(bar.GetBarRect(), CRect(0, 0, 84, 25));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(bar.GetButton(i)->rect, CRect(28 * i, 0, 28 * i + 28, 25)) << i;

  // The navigation row: 36 high, buttons 26 high.
  CMyImageBar navigation;
  ASSERT_TRUE(navigation.Create(&host));
  ASSERT_EQ(LoadPngImage(331, &navigation.BackgroundImage(), 1, 1), TRUE);
  navigation.AddButton(345, 1011);
  navigation.AddButton(kMissing, 1010);  // no picture: no width
  navigation.AddButton(344, 1013);
  EXPECT_EQ(navigation.GetButton(0)->rect, CRect(0, 5, 26, 31));
  EXPECT_EQ(navigation.GetButton(1)->rect.Width(), 0);
  EXPECT_EQ(navigation.GetButton(2)->rect, CRect(26, 5, 52, 31));
  EXPECT_EQ(navigation.GetBarRect(), CRect(0, 0, 52, 36));
}

TEST_F(ImageBar, OneToolPerButtonItsTextFollowingTheId) {
  struct Expect {
    int id;
    const char16_t* text;
  };
  auto check = [&](const std::vector<Expect>& expected) {
    EXPECT_EQ(tips.Count(), static_cast<int>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
      auto tool = tips.Find(bar, static_cast<UINT_PTR>(expected[i].id));
      ASSERT_TRUE(tool.has_value()) << expected[i].id;
      EXPECT_EQ(tool->text, expected[i].text);
      EXPECT_EQ(CRect(tool->rect), bar.GetButton(static_cast<int>(i))->rect);
    }
  };
  check({{1001, u"最小化"}, {1003, u"最大化"}, {1004, u"关闭"}});

  bar.SetButtonImage(1003, 343, 1002);  // maximised: the restore button
  check({{1001, u"最小化"}, {1002, u"恢复"}, {1004, u"关闭"}});
  EXPECT_FALSE(tips.Find(bar, 1003).has_value()) << "the old tool goes";
  EXPECT_EQ(bar.FindButton(1003), nullptr);

  bar.SetButtonImage(1002, 341, 1003);
  check({{1001, u"最小化"}, {1003, u"最大化"}, {1004, u"关闭"}});

  bar.SetButtonImage(4242, 343, 1002);  // unknown: nothing
  bar.EnableButton(4242, FALSE);
  check({{1001, u"最小化"}, {1003, u"最大化"}, {1004, u"关闭"}});
  for (int i = 0; i < 3; ++i) EXPECT_EQ(bar.GetButton(i)->state, 0) << i;

  bar.AddButton(342, 2345);  // no string: a tool without text
  auto tool = tips.Find(bar, 2345);
  ASSERT_TRUE(tool.has_value());
  EXPECT_EQ(tool->text, u"");
}

// The mouse rules are the bar window's own; the bar's buttons take them.
TEST_F(ImageBar, SwappedButtonClicksWithItsNewCommand) {
  bar.SetButtonImage(1003, 343, 1002);
  const CPoint middle = bar.GetButton(1)->rect.CenterPoint();
  ClickAt(bar, middle.x, middle.y);
  EXPECT_EQ(host.Commands(), std::vector<int>{1002});
}

// What the bar shows: the background stretched over the client, each
// button's frame of its state blended on it.
TEST_F(ImageBar, PaintsTheFrameOfEachState) {
  CRect client;
  bar.GetClientRect(&client);
  auto expected = [&](const int states[3]) {
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap canvas;
    canvas.CreateCompatibleBitmap(&memory, client.Width(), client.Height());
    CBitmap* before = memory.SelectObject(&canvas);
    const CMyImage& back = bar.BackgroundImage();
    back.Draw(memory, 0, 0, client.Width(), back.m_nFrameHeight, 0, 0, back.m_nFrameWidth, back.m_nFrameHeight);
    for (int i = 0; i < 3; ++i)
      if (states[i] >= 0 && states[i] <= 3) bar.GetButton(i)->image.DrawFrame(memory, states[i], 28 * i, 0);
    Pixels pixels(memory.m_hDC, 0, 0, client.Width(), client.Height());
    memory.SelectObject(before);
    return pixels;
  };

  const int normal[3] = {0, 0, 0};
  const int hovered[3] = {0, 1, 0};
  const int pressed[3] = {0, 2, 0};
  const int disabled[3] = {0, 3, 0};
  const int undrawn[3] = {0, -1, 0};
  EXPECT_TRUE(Pixels::OfWindow(bar) == expected(normal));
  EXPECT_FALSE(expected(normal) == expected(hovered)) << "the frames differ";

  const CPoint middle = bar.GetButton(1)->rect.CenterPoint();
  MoveTo(bar, middle.x, middle.y);
  EXPECT_TRUE(Pixels::OfWindow(bar) == expected(hovered));
  PressAt(bar, middle.x, middle.y);
  EXPECT_TRUE(Pixels::OfWindow(bar) == expected(pressed));
  ReleaseAt(bar, middle.x + 100, middle.y);
  bar.EnableButton(1003, FALSE);
  Pump();
  EXPECT_TRUE(Pixels::OfWindow(bar) == expected(disabled));
  bar.FindButton(1003)->state = 5;  // no frame for that
  bar.Invalidate(FALSE);
  Pump();
  EXPECT_TRUE(Pixels::OfWindow(bar) == expected(undrawn));
}

}  // namespace
