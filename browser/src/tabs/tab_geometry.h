#pragma once
// The tab strip's measures: how wide the tabs are for a strip width, where
// a tab's text, icon and close glyph go, and where the home button starts.
#include "win/geometry.h"

namespace tab_geometry {

// The widest a tab gets, and its height when the tab image gives none.
constexpr int kMaxTabWidth = 180;
constexpr int kTabHeight = 27;
// The strip's own height (its background image's), under which the views lie.
constexpr int kStripHeight = 32;
// The close glyph's side and its gap to the tab's right edge.
constexpr int kCloseSize = 14;
constexpr int kCloseGap = 8;

// The width of each of `count` tabs (at least one) in a strip `clientWidth`
// wide: what is left after 34 pixels, shared, at most kMaxTabWidth. At
// least 1, however many tabs there are: the hover divides by it.
int TabWidth(int clientWidth, int count);

// Where the home button goes, from the strip's left edge: 2 without tabs,
// the strip's width less 30 once tabs are narrower than the widest, else
// just after the last tab.
int TabsWidth(int count, int tabWidth, int clientWidth);

// The box of tab `index`'s close glyph that the pointer lights up, from
// the tab width and the first tab's top and bottom.
RECT CloseBox(int index, int tabWidth, int top, int bottom);

// The title's box inside a tab; the title is drawn only when it is wider
// than 12 pixels (a tab wider than 62).
RECT TextBox(const RECT& tab);
bool ShowsText(const RECT& tab);

// The close glyph's place inside a tab; drawn only for tabs wider than 30.
POINT ClosePlace(const RECT& tab);
bool ShowsClose(const RECT& tab);

}  // namespace tab_geometry
