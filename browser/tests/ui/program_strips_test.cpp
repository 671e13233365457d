// The program's bitmap strips against what the layout does with them: each
// cuts into four faces, the text boxes' end buttons close the box frames,
// and a strip copied without blending carries the pixels of what lies
// beneath it.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "get_bitmaps.h"
#include "hover_button.h"
#include "image_manifest.h"
#include "my_image.h"
#include "pixel_reader.h"

namespace {

using namespace ui_test;

// The normal face of a strip, as a button shows it.
Pixels NormalFace(UINT id) {
  CHoverButton button;
  EXPECT_EQ(CGetBitmaps::LoadStrip(&button, id), TRUE) << id;
  return Pixels(static_cast<HBITMAP>(button.m_bitmap.m_hObject));
}

COLORREF PngPixel(UINT id, int x, int y) {
  CMyImage image;
  EXPECT_EQ(LoadPngImage(id, &image, 1, 1), TRUE) << id;
  const auto* p = static_cast<const BYTE*>(image.GetPixelAddress(x, y));
  return RGB(p[2], p[1], p[0]);
}

int PngHeight(UINT id) {
  CMyImage image;
  EXPECT_EQ(LoadPngImage(id, &image, 1, 1), TRUE) << id;
  return image.GetHeight();
}

TEST(ProgramStrips, EveryStripOfTheManifestGivesFourFacesOfAQuarterItsWidth) {
  const std::vector<ManifestImage> images = ProgramImages();
  ASSERT_FALSE(images.empty()) << "images.txt";
  int checked = 0;
  for (const auto& [id, kind, file, width, height, frames, bits] : images) {
    if (kind != "BITMAP") continue;
    SCOPED_TRACE(file);
    EXPECT_EQ(frames, 4);
    EXPECT_EQ(bits, 24);
    EXPECT_EQ(width % 4, 0) << "no columns dropped";
    CHoverButton button;
    ASSERT_EQ(CGetBitmaps::LoadStrip(&button, id), TRUE);
    CBitmap* faces[] = {&button.m_bitmap, &button.m_bitmapSel, &button.m_bitmapFocus, &button.m_bitmapDisabled};
    for (CBitmap* face : faces) {
      BITMAP size{};
      ASSERT_TRUE(face->GetBitmap(&size));
      EXPECT_EQ(size.bmWidth, width / 4);
      EXPECT_EQ(size.bmHeight, height);
    }
    ++checked;
  }
  EXPECT_GE(checked, 5);
}

// Sizes the layout depends on: the search text starts after the chooser
// only when the go and search buttons are equally wide; each closes its box
// frame at the frame's height; the chooser button fits between the site
// icon and the search text, above the frame's inner edge; the home button
// stands in the tab strip above its base line.
TEST(ProgramStrips, FacesFitTheLayout) {
  const Pixels go = NormalFace(370);
  const Pixels search = NormalFace(352);
  EXPECT_EQ(go.width(), search.width());
  EXPECT_EQ(go.height(), PngHeight(369));
  EXPECT_EQ(search.height(), PngHeight(351));

  const Pixels chooser = NormalFace(366);
  EXPECT_LE(chooser.width(), 10);
  EXPECT_LE(chooser.height(), 6);

  const Pixels home = NormalFace(384);
  EXPECT_LE(home.width(), 28) << "two pixels of gap within the 30 left of narrow tabs";
  EXPECT_LE(7 + home.height(), 29) << "row 28 of the strip is its base line";
}

// A strip is copied as it is: where its button draws nothing of its own,
// its pixels are those of the row or box beneath it in the window.
TEST(ProgramStrips, CornersCarryWhatLiesBeneath) {
  struct Case {
    UINT strip;
    bool rightCorner;    // the rounded end is at the right
    UINT under;          // the image beneath
    int underRow;        // its row at the strip's top
  };
  const Case cases[] = {
      {370, true, 331, (36 - 28) / 2},   // go: navigation row
      {352, true, 331, (36 - 28) / 2},   // search: navigation row
      {384, false, 332, 7},              // home: tab strip
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.strip);
    const Pixels face = NormalFace(c.strip);
    const int x = c.rightCorner ? face.width() - 1 : 0;
    EXPECT_EQ(face.At(x, 0), PngPixel(c.under, 0, c.underRow));
    EXPECT_EQ(face.At(x, face.height() - 1), PngPixel(c.under, 0, c.underRow + face.height() - 1));
  }
  // The chooser button lies inside the search box, on white.
  const Pixels chooser = NormalFace(366);
  EXPECT_EQ(chooser.At(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(chooser.At(chooser.width() - 1, chooser.height() - 1), RGB(255, 255, 255));
}

}  // namespace
