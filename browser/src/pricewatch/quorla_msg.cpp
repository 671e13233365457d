#include "quorla_msg.h"

#include "afx/window_dcs.h"
#include "browser_ids.h"
#include "buffered_paint.h"
#include "corner_region.h"
#include "get_bitmaps.h"
#include "price_figures.h"
#include "vxshared/price_integer.h"
#include "price_watch_res.h"
#include "ui_fonts.h"
#include "ui_messages.h"
#include "vxshared/watch_date.h"
#include "win/buttons.h"
#include "win/gdi_objects.h"
#include "win/input.h"
#include "win/painting.h"
#include "win/system_metrics.h"
#include "win/text_draw.h"
#include "win/window_styles.h"

BEGIN_MESSAGE_MAP(CQuorlaMsg, CWnd)
  ON_WM_CREATE()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_BN_CLICKED(CQuorlaMsg::kCloseId, OnClosePopup)
  ON_BN_CLICKED(CQuorlaMsg::kOpenId, OnOpenItem)
  ON_MESSAGE(WM_LINK_CLICKED, OnLinkClicked)
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kTextColour = RGB(42, 74, 101);
constexpr COLORREF kOldPriceColour = RGB(128, 128, 128);
constexpr COLORREF kDropColour = RGB(255, 0, 0);

void CreateStripButton(CHoverButton& button, CWnd* parent, UINT id, UINT strip, int x, int y) {
  button.Create(u"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_OWNERDRAW, CRect(), parent, id);
  CGetBitmaps::LoadStrip(&button, strip);
  button.SizeToContent();
  button.SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Text(CDC& dc, LPCWSTR text, int left, int top, int right, int bottom, UINT format = 0) {
  CRect box(left, top, right, bottom);
  dc.DrawText(text, -1, box, DT_SINGLELINE | format);
}

}  // namespace

CQuorlaMsg::CQuorlaMsg(WatchActions& actions) : actions_(actions) { InitReducePriceItem(&item_); }

CQuorlaMsg::~CQuorlaMsg() {
  if (m_hWnd) DestroyWindow();
}

BOOL CQuorlaMsg::Create(CWnd* parent, CWnd* mainWindow) {
  mainWindow_ = mainWindow;
  LPCWSTR className = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, LoadCursorW(nullptr, IDC_ARROW),
                                          static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  return CreateEx(WS_EX_TOOLWINDOW, className, u"QuorlaMsg", WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(),
                  parent, 0);
}

int CQuorlaMsg::OnCreate(LPCREATESTRUCT create) {
  if (CWnd::OnCreate(create) == -1) return -1;
  LoadPngImage(IDP_POPUP_BACKGROUND, &background_, 1, 1);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = background_.GetWidth();
  const int height = background_.GetHeight();
  MoveWindow(work.right - width - 2, work.bottom - height, width, height, FALSE);
  ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // The icon strip's frames are 32 wide; the second is the price watch's.
  LoadPngImage(IDP_TOOLBAR_ICONS, &icons_, 1, 4);
  icons_.m_nFrameWidth = kToolbarIconWidth;
  CreateStripButton(close_, this, kCloseId, IDB_POPUP_CLOSE, 370, 7);
  CreateStripButton(open_, this, kOpenId, IDB_OPEN_ITEM, 245, 268);
  link_.Create(this);
  link_.SetTextFont(GetUiFont(kUiFontRegular14));
  link_.SetText(u"管理降价通知");
  const CRect text = link_.GetTextRect();
  link_.MoveWindow(38, 280, text.Width(), text.Height());
  SetWindowRgn(CreateCornerCutRegion(width, height), FALSE);
  return 0;
}

void CQuorlaMsg::ShowPriceDrop(const ReducePriceItem& item) {
  item_ = item;
  RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
  ShowWindow(SW_SHOW);
  actions_.MoveThreshold(item_);
}

void CQuorlaMsg::OnClosePopup() { ShowWindow(SW_HIDE); }

void CQuorlaMsg::OnOpenItem() {
  ShowWindow(SW_HIDE);
  if (mainWindow_) mainWindow_->SendMessage(WM_OPEN_ITEM_URL, 0, reinterpret_cast<LPARAM>(item_.Url));
}

LRESULT CQuorlaMsg::OnLinkClicked(WPARAM, LPARAM) {
  if (mainWindow_) mainWindow_->PostMessage(WM_COMMAND, ID_SHOW_CUTPRICE_DLG, 0);
  return 0;
}

void CQuorlaMsg::OnLButtonDown(UINT, CPoint point) {
  PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
}

BOOL CQuorlaMsg::OnEraseBkgnd(CDC*) { return TRUE; }

void CQuorlaMsg::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  if (client.IsRectEmpty()) return;
  PaintBuffered(dc, client, [&](CDC& memory) { Draw(memory); });
  if (link_.m_hWnd) link_.Invalidate();
}

void CQuorlaMsg::Draw(CDC& dc) {
  dc.SetBkMode(TRANSPARENT);
  if (!background_.IsNull()) background_.Draw(dc.m_hDC, 0, 0);
  if (!icons_.IsNull()) icons_.DrawFrame(dc.m_hDC, 1, 4, 4);

  CFont* previous = dc.SelectObject(GetUiFont(kUiFontBold14));
  dc.SetTextColor(RGB(0, 0, 0));
  Text(dc, u"Quorla购物浏览器 降价通知", 38, 13, 240, 27);

  dc.SelectObject(GetUiFont(kUiFontRegular14));
  dc.SetTextColor(kTextColour);
  WCHAR date[80] = {};
  FormatWatchDate(date, item_.AddedTime);
  CString line;
  line.Format(u"您于 %s 关注的商品降价啦！为避免商品价格调", date);
  Text(dc, line, 27, 50, 372, 64);
  Text(dc, u"回原价，如果达到了您的心里价位，建议您尽快购买！", 27, 71, 372, 85);
  dc.SetTextColor(RGB(255, 255, 255));
  Text(dc, item_.Title, 35, 156, 360, 170, DT_WORD_ELLIPSIS);
  dc.SetTextColor(kTextColour);
  Text(dc, u"原价", 74, 196, 120, 210);
  Text(dc, u"现价", 185, 196, 220, 210);
  Text(dc, u"直降", 305, 196, 340, 210);
  Text(dc, YuanText(PriceIntegerPart(item_.CurrentPrice)), 142, 214, 254, 230, DT_CENTER);
  dc.SetTextColor(kOldPriceColour);
  const CString previousPrice = YuanText(PriceIntegerPart(item_.PreviousPrice));
  Text(dc, previousPrice, 30, 214, 142, 230, DT_CENTER);
  // The old price struck through with the default pen (one black pixel),
  // end point excluded as a line's is.
  const int width = dc.GetTextExtent(previousPrice).cx;
  const int from = (112 - width) / 2 + 30;
  const int to = (width + 112) / 2 + 30;
  if (to > from) {
    CRect strike(from, 222, to, 223);
    ::FillRect(dc.m_hDC, &strike, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  dc.SetTextColor(kDropColour);
  Text(dc, YuanText(DropInWholeYuan(item_.PreviousPrice, item_.CurrentPrice)), 296, 214, 342, 230, DT_CENTER);
  dc.SelectObject(previous);
}
