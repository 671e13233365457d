// Dialog units: the fixed base units of the shell dialog font, measured ones
// of other fonts, the system's, and MapDialogRect's rounding.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "dialog_template_writer.h"
#include "win/dialogs.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"

namespace {

using quorla_test::TemplateSpec;
using quorla_test::TemplateWriter;

INT_PTR QuietProcedure(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

HWND MakeDialog(bool withFont, WORD pointSize, std::u16string face, short cx = 4, short cy = 8) {
  TemplateSpec spec;
  spec.style = WS_POPUP;
  spec.cx = cx;
  spec.cy = cy;
  spec.withFont = withFont;
  spec.font.pointSize = pointSize;
  spec.font.face = std::move(face);
  auto storage = TemplateWriter().Write(spec);
  return CreateDialogIndirectParamW(nullptr, quorla_test::AsTemplate(storage), nullptr, QuietProcedure, 0);
}

std::array<LONG, 4> Edges(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

SIZE BaseUnitsOf(HWND dialog) {
  RECT one{0, 0, 4, 8};
  EXPECT_TRUE(MapDialogRect(dialog, &one));
  return SIZE{one.right, one.bottom};
}

TEST(DialogUnitsTest, MapDialogRectRoundsHalvesAwayFromZero) {
  HWND dialog = MakeDialog(true, 8, u"MS Shell Dlg");
  ASSERT_NE(dialog, nullptr);
  struct MapCase {
    RECT units;
    RECT pixels;
  } cases[] = {
      {{0, 0, 187, 98}, {0, 0, 281, 159}},  // 280.5 and 159.25
      {{1, 1, 3, 7}, {2, 2, 5, 11}},        // 1.5, 1.625, 4.5, 11.375
      {{2, 4, 6, 12}, {3, 7, 9, 20}},       // 3, 6.5, 9, 19.5
      {{-1, -3, -2, -4}, {-2, -5, -3, -7}},  // -1.5, -4.875, -3, -6.5
      {{4, 8, 400, 800}, {6, 13, 600, 1300}},
  };
  for (const MapCase& c : cases) {
    RECT rect = c.units;
    ASSERT_TRUE(MapDialogRect(dialog, &rect));
    EXPECT_EQ(Edges(rect), Edges(c.pixels));
  }
  RECT rect{};
  EXPECT_FALSE(MapDialogRect(nullptr, &rect));
  EXPECT_FALSE(MapDialogRect(dialog, nullptr));
  DestroyWindow(dialog);
}

TEST(DialogUnitsTest, TheShellDialogFontHasFixedUnitsOthersAreMeasured) {
  struct UnitsCase {
    const char* name;
    bool withFont;
    WORD pointSize;
    std::u16string face;
    bool fixedShellUnits;
  } cases[] = {
      {"MS Shell Dlg 8", true, 8, u"MS Shell Dlg", true},
      {"any letter case", true, 8, u"ms shell dlg", true},
      {"MS Shell Dlg 2 8", true, 8, u"MS Shell Dlg 2", true},
      {"Tahoma 20", true, 20, u"Tahoma", false},
      {"MS Shell Dlg 20", true, 20, u"MS Shell Dlg", false},
  };
  for (const UnitsCase& c : cases) {
    SCOPED_TRACE(c.name);
    HWND dialog = MakeDialog(c.withFont, c.pointSize, c.face, 187, 98);
    ASSERT_NE(dialog, nullptr);
    SIZE units = BaseUnitsOf(dialog);
    if (c.fixedShellUnits) {
      EXPECT_EQ(std::make_pair(units.cx, units.cy), std::make_pair(6, 13));
    } else {
      // A font more than twice the size has larger units, in both ways.
      EXPECT_GT(units.cx, 6);
      EXPECT_GT(units.cy, 13 * 2);
    }
    // The dialog's own size follows its units.
    RECT area{};
    GetClientRect(dialog, &area);
    EXPECT_EQ(area.right, (187 * units.cx * 2 + 4) / 8);
    EXPECT_EQ(area.bottom, (98 * units.cy * 2 + 8) / 16);
    DestroyWindow(dialog);
  }
}

TEST(DialogUnitsTest, WithoutAFontTheSystemsUnits) {
  LONG units = GetDialogBaseUnits();
  EXPECT_EQ(LOWORD(units), 8);
  EXPECT_EQ(HIWORD(units), 16);
  HWND dialog = MakeDialog(false, 0, u"");
  ASSERT_NE(dialog, nullptr);
  SIZE seen = BaseUnitsOf(dialog);
  EXPECT_EQ(std::make_pair(seen.cx, seen.cy), std::make_pair(LONG{LOWORD(units)}, LONG{HIWORD(units)}));
  DestroyWindow(dialog);
}

}  // namespace
