// The main window's receiver of downloaded page icons, on real tabs: the
// icon goes only to the tab whose view has the request's address and
// serial number, so a request whose tab closed while a new view took the
// same memory changes no tab.
#include <gtest/gtest.h>

#include <string>

#include "favourites_hooks.h"
#include "favourites_test_support.h"
#include "kqie_view.h"
#include "../main_frame_tabs_test_support.h"

namespace browser_test {
namespace {

using FaviconTab = TabsTest;

// The colour in the middle of tab's icon, as 0xRRGGBB.
unsigned MiddleOfIcon(RecordingFrame& frame, int tab) {
  const TabItem* item = frame.Tabs().GetTabItem(tab);
  if (!item || !item->icon.IsValid()) return 0xFFFFFFFF;
  const RGBQUAD c = item->icon.GetPixelColorSafe(8, 8);
  return (c.rgbRed << 16) | (c.rgbGreen << 8) | c.rgbBlue;
}

TEST_F(FaviconTab, OnlyTheViewWithTheRequestsSerialGetsTheIcon) {
  ResetTabs();
  OpenAndWait(Page("/a"));
  OpenAndWait(Page("/b"));
  auto* view = static_cast<CKQIEView*>(frame->Tabs().GetTabView(0));
  ASSERT_NE(view, nullptr);
  const unsigned before = MiddleOfIcon(*frame, 0);
  ASSERT_NE(before, 0x123456u);
  const std::string ico = favourites_test::OneColourIco(0x12, 0x34, 0x56);

  struct Case {
    const char* what;
    CKQIEView* view;
    uint64_t serial;
    unsigned expected;
  } cases[] = {
      {"a new view at the closed tab's view's address", view, view->GetSerialNumber() + 1000, before},
      {"a view no tab holds", reinterpret_cast<CKQIEView*>(uintptr_t{0x10}), 1, before},
      {"its own view", view, view->GetSerialNumber(), 0x123456u},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FaviconRequest request;
    request.view = c.view;
    request.serial = c.serial;
    request.bytes.assign(ico.begin(), ico.end());
    EXPECT_EQ(SendMessageW(hwnd, WM_FAVICON_LOADED, 0, reinterpret_cast<LPARAM>(&request)), 1);
    EXPECT_EQ(MiddleOfIcon(*frame, 0), c.expected);
    EXPECT_EQ(MiddleOfIcon(*frame, 1), before) << "the other tab keeps its icon";
  }
  EXPECT_EQ(SendMessageW(hwnd, WM_FAVICON_LOADED, 0, 0), 1);
}

}  // namespace
}  // namespace browser_test
