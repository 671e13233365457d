#pragma once
// What a browser view asks of the window that shows its tab (the main
// window implements it). Every call comes from the view's own event
// handlers on the user-interface thread; the view may be deleted by the
// owner only where the call says so.
#include "win/types.h"

class CKQIEView;

class ViewOwner {
 public:
  // A view made for a page's new-window request starts its first navigation
  // that passed the pop-up filter: append a tab with an empty text for it,
  // select and show it, activate the view and give it the focus.
  virtual void AdoptNewWindowView(CKQIEView* view) = 0;
  // The view's status text changed (CKQIEView::GetStatusText): the status
  // bar when its tab is current, and its tab's loading state.
  virtual void OnViewStatusText(CKQIEView* view) = 0;
  // A top-level navigation starts while the view's hook is armed, or a
  // top-level document completed: tab state, page icon, price capture.
  virtual void OnViewNavigate(CKQIEView* view, LPCWSTR url) = 0;
  // The page's title changed: tab text, address box and caption.
  virtual void OnViewTitle(CKQIEView* view, LPCWSTR title) = 0;
  // Back (CSC_NAVIGATEBACK, 2) or forward (CSC_NAVIGATEFORWARD, 1) became
  // possible or impossible in the view.
  virtual void OnViewCommandState(CKQIEView* view, BOOL enable, LONG command) = 0;
  // Whether one of the tabs holds the view: a view that some tab holds is
  // never deleted by itself, only by the owner when the tab closes.
  virtual bool HoldsView(const CKQIEView* view) const = 0;

 protected:
  ~ViewOwner() = default;
};
