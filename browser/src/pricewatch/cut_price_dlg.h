#pragma once
// CCutPriceDlg: the modal watch-list dialog (template 381). It reads the
// watch list when it opens and lists it newest first; it follows no change
// made elsewhere while it is open, except the rows it removes itself. Enter
// never closes it; its own close button does (result 0).
#include "afx/dialog.h"
#include "afx/image_list.h"
#include "cut_price_list.h"
#include "hover_button.h"
#include "my_image.h"
#include "watch_actions.h"

class CCutPriceDlg : public CDialog {
 public:
  enum : UINT { IDD = 381 };
  enum : int { kListId = 2000, kCloseId = 1900 };

  CCutPriceDlg(WatchActions& actions, CWnd* mainWindow);

  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnInitDialog() override;

  CCutPriceList& List() { return list_; }
  CHoverButton& CloseButton() { return close_; }

 protected:
  void DoDataExchange(CDataExchange* exchange) override;
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnCloseButton();
  DECLARE_MESSAGE_MAP()

 private:
  void Draw(CDC& dc, const CRect& client);

  WatchActions& actions_;
  CMyImage skin_;   // 389, three by three
  CMyImage icons_;  // 354
  CHoverButton close_;
  CCutPriceList list_;
  CImageList rowHeight_;
};
