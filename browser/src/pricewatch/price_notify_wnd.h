#pragma once
// CPriceNotifyWnd: the offer bar inside the main window, above the status
// bar, shown when the page of the current tab is a product of a known shop.
// The user types the price at which they would buy and confirms, or asks to
// be told of any drop, or closes the bar. After a confirmation it shows a
// success text for four seconds and hides.
#include "afx/string.h"
#include "afx/wnd.h"
#include "hover_button.h"
#include "my_image.h"
#include "price_edit.h"
#include "shopping/reduce_price_item.h"
#include "text_link.h"
#include "watch_actions.h"

class CKQIEView;

class CPriceNotifyWnd : public CWnd {
 public:
  // Identifiers of its children.
  enum : UINT { kConfirmId = 1700, kPriceBoxId = 1701, kCloseId = 1702, kAnyDropId = 1703 };
  // Timer 1 hides the bar after the success text; 2 is only ever killed.
  enum : UINT_PTR { kHideTimer = 1, kSpareTimer = 2 };
  static constexpr UINT kSuccessShowMs = 4000;
  static constexpr COLORREF kHintColour = RGB(160, 160, 160);

  explicit CPriceNotifyWnd(WatchActions& actions);
  ~CPriceNotifyWnd() override;

  // A hidden child of parent, "PriceNotifyWnd".
  BOOL Create(CWnd* parent);

  // Offers the record of view: offer mode, a pending hide cancelled, the
  // link counting the goods watched now; the box's text is left alone while
  // the user types in it.
  void ShowPriceNotify(const ReducePriceItem& record, CKQIEView* view);
  // Watches the offered product at price (the engine stamps, adds, saves and
  // tells the tray program) and shows the success text.
  void Confirm(double price);

  const ReducePriceItem& Item() const { return item_; }
  bool InSuccessMode() const { return success_; }
  CPriceEdit& PriceBox() { return priceBox_; }
  CHoverButton& ConfirmButton() { return confirm_; }
  CHoverButton& AnyDropButton() { return anyDrop_; }
  CHoverButton& CloseButton() { return close_; }
  CTextLink& Link() { return link_; }

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT create);
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnTimer(UINT_PTR id);
  afx_msg void OnConfirm();
  afx_msg void OnAnyDrop();
  afx_msg void OnCloseBar();
  afx_msg LRESULT OnLinkClicked(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

 private:
  void PlaceLink();
  void ShowOfferParts(int command);
  void Draw(CDC& dc, const CRect& client);

  WatchActions& actions_;
  ReducePriceItem item_{};
  CKQIEView* view_ = nullptr;
  CString successText_;
  bool success_ = false;
  bool whiteText_ = false;

  CMyImage skin_;      // 372: left end, middle, right end
  CMyImage logo_;      // 373
  CMyImage boxFrame_;  // 374
  CMyImage words_;     // 387
  CPriceEdit priceBox_;
  CHoverButton confirm_;
  CHoverButton anyDrop_;
  CHoverButton close_;
  CTextLink link_;
};
