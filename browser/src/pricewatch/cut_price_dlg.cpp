#include "cut_price_dlg.h"

#include "afx/window_dcs.h"
#include "buffered_paint.h"
#include "corner_region.h"
#include "get_bitmaps.h"
#include "price_watch_res.h"
#include "ui_fonts.h"
#include "win/buttons.h"
#include "win/image_lists.h"
#include "win/input.h"
#include "win/list_view.h"
#include "win/text_draw.h"

BEGIN_MESSAGE_MAP(CCutPriceDlg, CDialog)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_BN_CLICKED(CCutPriceDlg::kCloseId, OnCloseButton)
END_MESSAGE_MAP()

namespace {

constexpr int kRowHeight = 30;
constexpr COLORREF kNoteColour = RGB(203, 21, 17);

}  // namespace

CCutPriceDlg::CCutPriceDlg(WatchActions& actions, CWnd* mainWindow)
    : CDialog(IDD, mainWindow), actions_(actions), list_(actions) {
  list_.SetMainWindow(mainWindow);
}

void CCutPriceDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, kListId, list_);
}

BOOL CCutPriceDlg::PreTranslateMessage(MSG* msg) {
  // Enter would be the dialog's IDOK: this dialog only closes by its button.
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) return TRUE;
  return CDialog::PreTranslateMessage(msg);
}

BOOL CCutPriceDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  LoadPngImage(IDP_WATCH_LIST_SKIN, &skin_, 3, 3);
  LoadPngImage(IDP_TOOLBAR_ICONS, &icons_, 1, 4);
  // The icon strip's frames are 32 wide; the second is the price watch's.
  icons_.m_nFrameWidth = kToolbarIconWidth;

  CRect client;
  GetClientRect(&client);
  close_.Create(u"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_OWNERDRAW,
                CRect(client.Width() - 30, 10, client.Width() - 16, 24), this, kCloseId);
  CGetBitmaps::LoadStrip(&close_, IDB_WATCH_LIST_CLOSE);

  if (CHeaderCtrl* header = list_.GetHeaderCtrl()) {
    list_.Header().SubclassWindow(header->m_hWnd);
    list_.Header().LoadSkin();
  }
  // An empty small-image list 30 high makes every row 30 high.
  rowHeight_.Create(16, kRowHeight, ILC_COLOR32, 0, 0);
  list_.SetImageList(&rowHeight_, LVSIL_SMALL);
  list_.SetExtendedStyle(LVS_EX_FULLROWSELECT);
  for (int column = 0; column < kColumnCount; ++column)
    list_.InsertColumn(column, kCutPriceColumns[column].heading, LVCFMT_LEFT, kCutPriceColumns[column].width);
  list_.Fill(actions_.WatchList());

  SetWindowRgn(CreateCornerCutRegion(client.Width(), client.Height()), TRUE);
  return TRUE;
}

void CCutPriceDlg::OnCloseButton() { EndDialog(0); }

void CCutPriceDlg::OnLButtonDown(UINT, CPoint point) {
  PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
}

BOOL CCutPriceDlg::OnEraseBkgnd(CDC*) { return TRUE; }

void CCutPriceDlg::OnPaint() {
  CPaintDC paint(this);
  CRect client;
  GetClientRect(&client);
  if (client.IsRectEmpty()) return;
  PaintBuffered(paint, client, [&](CDC& dc) { Draw(dc, client); });
}

void CCutPriceDlg::Draw(CDC& dc, const CRect& client) {
  if (!skin_.IsNull()) {
    const int cw = skin_.m_nFrameWidth;
    const int ch = skin_.m_nFrameHeight;
    const int w = client.Width();
    const int h = client.Height();
    // Destination and source columns and rows: the corners at their size,
    // the edges and the centre stretched between them.
    const int dx[4] = {0, cw, w - cw, w};
    const int dy[4] = {0, ch, h - ch, h};
    for (int row = 0; row < 3; ++row) {
      for (int column = 0; column < 3; ++column) {
        const CRect to(dx[column], dy[row], dx[column + 1], dy[row + 1]);
        if (to.IsRectEmpty()) continue;
        skin_.Draw(dc.m_hDC, to, CRect(column * cw, row * ch, (column + 1) * cw, (row + 1) * ch));
      }
    }
  }
  if (!icons_.IsNull()) icons_.DrawFrame(dc.m_hDC, 1, 6, 4);
  dc.SetBkMode(TRANSPARENT);
  CFont* previous = dc.SelectObject(GetUiFont(kUiFontBold12));
  CRect title(40, 14, 320, 26);
  dc.DrawText(u"降价通知 - 用最低的价格买最称心的商品！", -1, &title, DT_SINGLELINE);
  dc.SelectObject(GetUiFont(kUiFontRegular12));
  CRect list(12, 36, 70, 48);
  dc.DrawText(u"通知列表：", -1, &list, DT_SINGLELINE);
  dc.SetTextColor(kNoteColour);
  CRect note(72, 36, 500, 48);
  dc.DrawText(u"如果您关注该商品一旦降价，我们会弹出提示框通知您！", -1, &note, DT_SINGLELINE);
  dc.SelectObject(previous);
}
