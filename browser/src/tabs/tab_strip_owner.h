#pragma once
// What the tab strip asks of the window that holds it. The strip keeps the
// tabs and draws them; opening, closing and showing pages is the main
// window's business, so the strip calls back through this interface for it.
// User-interface thread only.
#include "win/types.h"

class CWnd;

class ITabStripOwner {
 public:
  // Puts the home button right after the last tab (GetTabsWidth).
  virtual void PlaceHomeButton() = 0;
  // The strip has removed tab `index`, which held `view`: the owner lets
  // the view go, deletes it and selects a neighbouring tab.
  virtual void CloseTab(int index, CWnd* view) = 0;
  // With a first tab: whether it shows the start page, opening nothing.
  // Without tabs: opens the start page in a new tab and returns true.
  virtual bool EnsureStartPage() = 0;
  // Shows the current tab's address, title and status in the window.
  virtual void ShowCurrentView() = 0;
  // Opens `address` in a new, selected tab.
  virtual void OpenUrlInNewTab(LPCWSTR address) = 0;

 protected:
  ~ITabStripOwner() = default;
};
