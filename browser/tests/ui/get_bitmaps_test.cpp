#include <gtest/gtest.h>

#include "fixture_ids.h"
#include "get_bitmaps.h"
#include "hover_button.h"
#include "pixel_reader.h"

namespace {

using namespace ui_test;

CBitmap* Face(CBitmapButton& button, int i) {
  CBitmap* faces[] = {&button.m_bitmap, &button.m_bitmapSel, &button.m_bitmapFocus, &button.m_bitmapDisabled};
  return faces[i];
}

TEST(LoadStrip, FourPiecesFromTheLeftTheRemainderDropped) {
  CGetBitmaps button;  // never shown: the pieces are only bitmaps
  ASSERT_EQ(CGetBitmaps::LoadStrip(&button, kStripBitmap), TRUE);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const Pixels face(*Face(button, i));
    ASSERT_EQ(face.width(), 5) << "23 / 4";
    ASSERT_EQ(face.height(), 4);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 5; ++x) EXPECT_EQ(face.At(x, y), StripColour(5 * i + x, y)) << x << "," << y;
  }
}

TEST(LoadStrip, ANewStripReplacesTheOldFaces) {
  CGetBitmaps button;
  ASSERT_EQ(CGetBitmaps::LoadStrip(&button, 385), TRUE);
  HGDIOBJ old = Face(button, 2)->m_hObject;
  ASSERT_EQ(CGetBitmaps::LoadStrip(&button, kStripBitmap), TRUE);
  BITMAP size{};
  EXPECT_EQ(GetObjectW(old, sizeof size, &size), 0) << "the old face is deleted";
  ASSERT_TRUE(Face(button, 2)->GetBitmap(&size));
  EXPECT_EQ(size.bmWidth, 5);
}

TEST(LoadStrip, AMissingStripChangesNothing) {
  CGetBitmaps button;
  ASSERT_EQ(CGetBitmaps::LoadStrip(&button, kStripBitmap), TRUE);
  HGDIOBJ kept = button.m_bitmap.m_hObject;
  EXPECT_EQ(CGetBitmaps::LoadStrip(&button, kMissing), FALSE);
  EXPECT_EQ(button.m_bitmap.m_hObject, kept);
  EXPECT_EQ(CGetBitmaps::LoadStrip(nullptr, kStripBitmap), FALSE);
}

}  // namespace
