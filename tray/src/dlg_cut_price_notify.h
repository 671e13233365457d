#pragma once
// The price-drop notice: a small skinned window in the bottom-right corner
// of the work area, shown modally for one watched item whose price fell. It
// shows the product's title, the day it was watched, the former and current
// prices and the drop, a button that opens the product in the browser, a
// link with a menu that shares the news on a microblog service, and a close
// button. Everything in it is a windowless control drawn from the skins; a
// press anywhere else drags it. It stays until the user closes it.
//
// Use: construct, SetItem, DoModal(parent); user-interface thread only.
#include "atl/dialog_impl.h"
#include "cut_price_info_wnd.h"
#include "sfwnd/button_state4.h"
#include "sfwnd/image_wnd.h"
#include "sfwnd/multi_wnd.h"
#include "sfwnd/sf_txt_wnd.h"
#include "sfwnd/sf_wnd_mgr.h"
#include "shopping/reduce_price_item.h"
#include "win/messages.h"
#include "win/window_styles.h"

class CDlgCutPriceNotify : public ATL::CIndirectDialogImpl<CDlgCutPriceNotify>, public CSFWndMgr {
 public:
  static constexpr UINT IDC_NOTIFY_CLOSE = 1001;
  static constexpr UINT IDC_NOTIFY_OPEN = 1002;
  static constexpr UINT IDC_NOTIFY_SHARE = 1003;

  CDlgCutPriceNotify();
  ~CDlgCutPriceNotify() override = default;

  // The item to show, copied whole.
  void SetItem(const ReducePriceItem& item);
  const ReducePriceItem& GetItem() const { return m_item; }

  BEGIN_DIALOG(0, 0, 187, 98)
    DIALOG_STYLE(WS_POPUP | DS_SETFONT)
    DIALOG_EXSTYLE(WS_EX_TOOLWINDOW)
    DIALOG_FONT(8, u"MS Shell Dlg")
  END_DIALOG()

  BEGIN_MSG_MAP(CDlgCutPriceNotify)
    // The controls see the mouse and paint first.
    {
      BOOL managerHandled = FALSE;
      if (CSFWndMgr::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, managerHandled)) return TRUE;
    }
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_SIZE, OnSize)
    MESSAGE_HANDLER(WM_CLOSE, OnClose)
    MESSAGE_HANDLER(WM_SHOWWINDOW, OnShowWindow)
    MESSAGE_HANDLER(WM_COMMAND, OnCommand)
    MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
  END_MSG_MAP()

  // The background skin, 1:1, under the given client rectangle.
  void PaintBackground(HDC dc, const RECT* rect) override;
  // Places the controls for a client area of cx x cy (0 x 0: the window's
  // present client area). Safe before the controls are set up.
  void LayoutChildren(int cx, int cy);

  // The controls, for those who look at the pop-up.
  const CSFTxtWnd& TitleLabel() const { return m_title; }
  const CSFTxtWnd& MessageLabel() const { return m_message; }
  const CSFTxtWnd& ShareLink() const { return m_share; }
  const CImageWnd& ProductImage() const { return m_productImage; }
  const CSFTxtWnd& ProductTitle() const { return m_productTitle; }
  const CButtonState4& CloseButton() const { return m_close; }
  const CButtonState4& OpenButton() const { return m_open; }
  const CMultiWnd& ProductBox() const { return m_productBox; }
  const CCutPriceInfoWnd& PriceBox(int kind) const { return m_prices[kind]; }

 protected:
  LRESULT OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnSize(UINT message, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnClose(UINT message, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnShowWindow(UINT message, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnCommand(UINT message, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnLButtonDown(UINT message, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

  // The browser with the item's address as its whole command line, then
  // the pop-up ends.
  void OpenItem();
  void ShowShareMenu();
  void ShareItem(UINT service);

 private:
  void SetUpButton(CButtonState4& button, UINT id, UINT skin);
  void SetUpTexts();
  void PlaceInWorkArea();

  CSFTxtWnd m_title;
  CSFTxtWnd m_message;
  CSFTxtWnd m_share;
  CImageWnd m_productImage;
  CSFTxtWnd m_productTitle;
  CButtonState4 m_close;
  CButtonState4 m_open;
  CMultiWnd m_productBox;
  CCutPriceInfoWnd m_prices[3];
  ReducePriceItem m_item;
  BOOL m_foregroundLocked = FALSE;
};
