#pragma once
// CQuorlaMsg: the browser's own price-drop notice, a fixed-size, always-on-
// top tool window in the bottom-right corner of the work area that shows one
// watched item whose price fell, with its old and new price and the drop. It
// has no timer: it stays until the user closes it or opens the item. The
// check worker knows it by its title, "QuorlaMsg", and paces its notices by
// whether it is visible.
#include "afx/wnd.h"
#include "hover_button.h"
#include "my_image.h"
#include "shopping/reduce_price_item.h"
#include "text_link.h"
#include "watch_actions.h"

class CQuorlaMsg : public CWnd {
 public:
  enum : UINT { kCloseId = 1800, kOpenId = 1801 };

  explicit CQuorlaMsg(WatchActions& actions);
  ~CQuorlaMsg() override;

  // A hidden top-level window of parent (the desktop); mainWindow opens the
  // item and the watch list.
  BOOL Create(CWnd* parent, CWnd* mainWindow);

  // Shows a copy of item, then moves the item's threshold to its new price;
  // the pop-up keeps showing the values of its copy.
  void ShowPriceDrop(const ReducePriceItem& item);

  const ReducePriceItem& Item() const { return item_; }
  CHoverButton& CloseButton() { return close_; }
  CHoverButton& OpenButton() { return open_; }
  CTextLink& Link() { return link_; }

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT create);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnClosePopup();
  afx_msg void OnOpenItem();
  afx_msg LRESULT OnLinkClicked(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

 private:
  void Draw(CDC& dc);

  WatchActions& actions_;
  CWnd* mainWindow_ = nullptr;
  ReducePriceItem item_{};
  CMyImage background_;  // 378, which gives the window its size
  CMyImage icons_;       // 354
  CHoverButton close_;
  CHoverButton open_;
  CTextLink link_;
};
