#include <gtest/gtest.h>

#include "recording_mgr.h"
#include "sfwnd/button_state4.h"
#include "sfwnd/image_wnd.h"
#include "sfwnd/multi_wnd.h"
#include "sfwnd_test_support.h"

namespace {

using sfwnd_test::Box;
using sfwnd_test::ButtonSkin;
using sfwnd_test::RecordingMgr;
using sfwnd_test::Skin;
using sfwnd_test::Surface;

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kFrameColours[4] = {0x111111, 0x222222, 0x333333, 0x444444};

TEST(ButtonState4Test, FrameByState) {
  struct Case {
    const char* name;
    bool enabled;
    const char* steps;  // e: enter, l: leave, d: press
    int frame;
  };
  const Case cases[] = {
      {"normal", true, "", 0},
      {"hover", true, "e", 1},
      {"pressed under the pointer", true, "ed", 2},
      {"pressed and left", true, "edl", 0},
      {"left and back", true, "edle", 2},
      {"disabled", false, "", 3},
      {"disabled whatever the state", false, "ed", 3},
  };
  ButtonSkin skin(kFrameColours);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingMgr manager;
    CButtonState4 button;
    button.Init(&manager, nullptr, 5, 5, 12, 10, 1001, SFWS_VISIBLE | (c.enabled ? SFWS_ENABLED : 0));
    button.SetBitmap(&skin.bitmap);
    const POINT point{1, 1};
    for (const char* step = c.steps; *step; ++step) {
      if (*step == 'e') button.OnMouseEnter(&point);
      if (*step == 'l') button.OnMouseLeave();
      if (*step == 'd') button.OnLButtonDown(&point);
    }
    EXPECT_EQ(button.CurrentFrame(), c.frame);
    Surface surface(20, 20);
    const RECT area{0, 0, 12, 10};
    button.Draw(surface.dc, &area);
    EXPECT_EQ(Box(surface.InkBox(kWhite)), "0,0,12,10") << "the frame at (0, 0) at its natural size";
    EXPECT_EQ(surface.Rgb(6, 5), kFrameColours[c.frame]);
  }
  CButtonState4 bare;  // no bitmap: nothing to draw
  bare.Init(nullptr, nullptr, 0, 0, 12, 10, 1, SFWS_VISIBLE | SFWS_ENABLED);
  Surface surface(20, 20);
  const RECT area{0, 0, 12, 10};
  bare.Draw(surface.dc, &area);
  EXPECT_EQ(surface.InkBox(kWhite).right, 0);
}

TEST(ButtonState4Test, StateChangesRedrawOnce) {
  RecordingMgr manager;
  CButtonState4 button;
  button.Init(&manager, nullptr, 0, 0, 12, 10, 1001, SFWS_VISIBLE | SFWS_ENABLED);
  const POINT point{1, 1};
  button.OnMouseEnter(&point);
  button.OnMouseEnter(&point);
  EXPECT_EQ(manager.redraws.size(), 1u);
  EXPECT_EQ(button.OnLButtonDown(&point), 1);
  EXPECT_EQ(button.OnLButtonDown(&point), 1);
  EXPECT_EQ(manager.redraws.size(), 2u);
  EXPECT_EQ(manager.calls, "capture;");
  button.OnMouseLeave();
  button.OnMouseLeave();
  EXPECT_EQ(manager.redraws.size(), 3u);
  EXPECT_EQ(button.OnLButtonUp(&point), 1);
  EXPECT_EQ(manager.calls, "capture;release;");
  EXPECT_TRUE(manager.commands.empty());
  EXPECT_EQ(manager.redraws.size(), 4u);
  EXPECT_FALSE(button.IsPressed());
  for (CSFWnd* wnd : manager.redraws) EXPECT_EQ(wnd, &button);
}

TEST(ImageWndTest, StretchesFrameZeroOverTheAreaAndTakesNoPress) {
  Skin skin(4, 2, 24, [](int x, int) { return x < 2 ? 0x00AA00u : 0x0000AAu; });
  CFSBitmap bitmap;
  bitmap.Attach(skin.bitmap, 1);
  CImageWnd image;
  image.Init(nullptr, nullptr, 0, 0, 40, 10, 0, SFWS_VISIBLE | SFWS_ENABLED);
  image.SetBitmap(&bitmap);
  Surface surface(50, 30);
  const RECT area{3, 4, 43, 14};
  image.Draw(surface.dc, &area);
  EXPECT_EQ(Box(surface.InkBox(kWhite)), "3,4,43,14");
  EXPECT_EQ(surface.Rgb(3, 4), 0x00AA00u);
  EXPECT_EQ(surface.Rgb(42, 13), 0x0000AAu);
  const POINT point{1, 1};
  EXPECT_EQ(image.OnLButtonDown(&point), 0);
}

// Records the area each Draw gets.
class AreaProbe : public CSFWnd {
 public:
  void Draw(HDC, const RECT* area) override { areas.push_back(*area); }
  std::vector<RECT> areas;
};

TEST(MultiWndTest, DrawsEachChildClippedToTheArea) {
  CMultiWnd box;
  box.Init(nullptr, nullptr, 18, 135, 377, 46, 0, SFWS_VISIBLE | SFWS_ENABLED | SFWS_OVERBACKGROUND);
  AreaProbe inside, crossing, outside, hidden;
  inside.Init(nullptr, nullptr, 0, 0, 367, 46, 0, SFWS_VISIBLE);
  crossing.Init(nullptr, nullptr, 300, 30, 100, 40, 0, SFWS_VISIBLE);
  outside.Init(nullptr, nullptr, 400, 0, 10, 10, 0, SFWS_VISIBLE);
  hidden.Init(nullptr, nullptr, 5, 5, 10, 10, 0, 0);
  for (CSFWnd* child : {static_cast<CSFWnd*>(&inside), static_cast<CSFWnd*>(&crossing),
                        static_cast<CSFWnd*>(&outside), static_cast<CSFWnd*>(&hidden)})
    box.AddChild(child);
  box.AddChild(nullptr);
  EXPECT_EQ(box.GetChildren().size(), 4u);

  Surface surface(10, 10);
  const RECT area{0, 0, 377, 46};
  box.Draw(surface.dc, &area);
  ASSERT_EQ(inside.areas.size(), 1u);
  EXPECT_TRUE(EqualRect(&inside.areas[0], &inside.GetWndRect()));
  ASSERT_EQ(crossing.areas.size(), 1u);
  const RECT cut{300, 30, 377, 46};
  EXPECT_TRUE(EqualRect(&crossing.areas[0], &cut));
  EXPECT_TRUE(outside.areas.empty());
  // Children are drawn whatever their style.
  EXPECT_EQ(hidden.areas.size(), 1u);
}

}  // namespace
