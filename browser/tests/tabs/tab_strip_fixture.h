#pragma once
// What the tab strip tests share: an owner that does what the main window
// does with the strip's calls and writes them down, a strip in a shown
// host with the stand-in images, and the colours of those images.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "my_tab_ctrl.h"
#include "ui_test_support.h"

namespace tab_test {

// The stand-in images' colours (../fixtures/make_fixtures.py).
inline COLORREF SliceColour(int slice) { return RGB(20 * slice + 10, 100, 50); }
inline COLORREF LoadingColour(int frame) { return RGB(255, 30 * frame, 255); }
constexpr COLORREF kStripColour = RGB(200, 220, 240);
constexpr COLORREF kCloseColour = RGB(0, 0, 255);
constexpr COLORREF kCloseLitColour = RGB(255, 0, 0);
constexpr COLORREF kDefaultIconColour = RGB(0, 200, 0);

// Keeps the views and their addresses, and answers the strip as the main
// window does: a new tab is selected and shown; a closed tab's view is
// deleted and the tab at its index (else the last) selected and shown.
class FakeOwner : public ITabStripOwner {
 public:
  CMyTabCtrl* strip = nullptr;
  // "home", "close <index>", "ensure", "show", "open <address>" in order.
  std::vector<std::string> calls;
  // What the strip said the home button's place is, at each "home".
  std::vector<int> homePlaces;

  // A view titled and addressed `address`, not yet a window.
  CWnd* NewView(const std::u16string& address);
  // As the main window opens an address: a new view's tab, selected and shown.
  int Open(const std::u16string& address);
  // As the main window selects a tab: the last shown view hidden, this one shown.
  void Select(int index);
  std::u16string AddressOf(CWnd* view) const;
  bool Owns(CWnd* view) const;
  int Count(const std::string& call) const;

  void PlaceHomeButton() override;
  void CloseTab(int index, CWnd* view) override;
  bool EnsureStartPage() override;
  void ShowCurrentView() override;
  void OpenUrlInNewTab(LPCWSTR address) override;

 private:
  struct View {
    std::unique_ptr<CWnd> window;
    std::u16string address;
  };
  std::vector<View> views_;
};

// An owner and its strip 600 x 300 at the host's top left, images loaded.
struct Stage {
  explicit Stage(CWnd& host);
  FakeOwner owner;
  CMyTabCtrl strip{owner};
};

// A strip 600 x 300 at the host's top left, images loaded.
class TabStripTest : public ::testing::Test {
 protected:
  void SetUp() override;
  // The strip's width changed to `width` (its height stays).
  void Resize(int width);
  // Tabs opened as the main window opens them, titled by their addresses.
  void OpenTabs(const std::vector<std::u16string>& addresses);
  // The texts of the tabs in order.
  std::vector<std::u16string> Texts();
  DWORD State(int index, DWORD mask = TABSTATE_DRAW_MASK);
  CRect TabRect(int index);
  // Paints the strip now and reads what it shows.
  COLORREF PixelAfterPaint(int x, int y);

  ui_test::CHostWnd host;
  FakeOwner owner;
  CMyTabCtrl strip{owner};
};

std::string Utf8(const std::u16string& text);

}  // namespace tab_test
