#include "price_notify_wnd.h"

#include "afx/window_dcs.h"
#include "browser_ids.h"
#include "buffered_paint.h"
#include "corner_region.h"
#include "get_bitmaps.h"
#include "price_watch_res.h"
#include "ui_fonts.h"
#include "ui_messages.h"
#include "win/buttons.h"
#include "win/edit.h"
#include "win/gdi_objects.h"
#include "win/input.h"
#include "win/painting.h"
#include "win/text_draw.h"
#include "wished_price.h"

BEGIN_MESSAGE_MAP(CPriceNotifyWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_CTLCOLOR()
  ON_WM_LBUTTONDOWN()
  ON_WM_TIMER()
  ON_BN_CLICKED(CPriceNotifyWnd::kConfirmId, OnConfirm)
  ON_BN_CLICKED(CPriceNotifyWnd::kAnyDropId, OnAnyDrop)
  ON_BN_CLICKED(CPriceNotifyWnd::kCloseId, OnCloseBar)
  ON_MESSAGE(WM_LINK_CLICKED, OnLinkClicked)
END_MESSAGE_MAP()

namespace {

constexpr WCHAR kHint[] = u"输入您愿意买的价格";
constexpr WCHAR kSuccess[] =
    u"设置成功！请保持Quorla购物浏览器每天以最小化的方式自动运行，确保商品降价后第一时间通知您！";
constexpr int kLinkFromRight = 44;

void CreateStripButton(CHoverButton& button, CWnd* parent, UINT id, UINT strip) {
  button.Create(u"", WS_CHILD | WS_CLIPSIBLINGS | BS_OWNERDRAW, CRect(), parent, id);
  CGetBitmaps::LoadStrip(&button, strip);
}

}  // namespace

CPriceNotifyWnd::CPriceNotifyWnd(WatchActions& actions) : actions_(actions) {
  InitReducePriceItem(&item_);
}

CPriceNotifyWnd::~CPriceNotifyWnd() {
  if (m_hWnd) DestroyWindow();
}

BOOL CPriceNotifyWnd::Create(CWnd* parent) {
  LPCWSTR className = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, LoadCursorW(nullptr, IDC_ARROW),
                                          static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  return CreateEx(WS_EX_TOPMOST, className, u"PriceNotifyWnd", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                  CRect(), parent, 0);
}

int CPriceNotifyWnd::OnCreate(LPCREATESTRUCT create) {
  if (CWnd::OnCreate(create) == -1) return -1;
  priceBox_.Create(WS_CHILD | WS_CLIPSIBLINGS | ES_NUMBER | ES_AUTOHSCROLL, CRect(), this, kPriceBoxId);
  CreateStripButton(confirm_, this, kConfirmId, IDB_CONFIRM);
  CreateStripButton(anyDrop_, this, kAnyDropId, IDB_ANY_DROP);
  CreateStripButton(close_, this, kCloseId, IDB_OFFER_CLOSE);
  link_.Create(this);
  LoadPngImage(IDP_OFFER_BAR, &skin_, 1, 3);
  LoadPngImage(IDP_OFFER_LOGO, &logo_, 1, 1);
  LoadPngImage(IDP_PRICE_BOX_FRAME, &boxFrame_, 1, 1);
  LoadPngImage(IDP_ANY_DROP_WORDS, &words_, 1, 1);
  return 0;
}

void CPriceNotifyWnd::OnSize(UINT, int cx, int cy) {
  SetWindowRgn(CreateCornerCutRegion(cx, cy), TRUE);
  priceBox_.MoveWindow(108, 15, 141, 12);
  confirm_.MoveWindow(258, 7, 86, 26);
  anyDrop_.MoveWindow(512, 7, 142, 26);
  close_.MoveWindow(cx - 24, 15, 11, 11);
  PlaceLink();
}

void CPriceNotifyWnd::PlaceLink() {
  if (!link_.m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  const CRect text = link_.GetTextRect();
  link_.MoveWindow(client.right - kLinkFromRight - text.Width(), (client.Height() - text.Height()) / 2, text.Width(),
                   text.Height());
}

void CPriceNotifyWnd::ShowOfferParts(int command) {
  priceBox_.ShowWindow(command);
  confirm_.ShowWindow(command);
  anyDrop_.ShowWindow(command);
  link_.ShowWindow(command);
}

void CPriceNotifyWnd::ShowPriceNotify(const ReducePriceItem& record, CKQIEView* view) {
  KillTimer(kHideTimer);
  KillTimer(kSpareTimer);
  success_ = false;
  whiteText_ = false;
  successText_.Empty();
  item_ = record;
  view_ = view;
  CString linkText;
  linkText.Format(u"您已收藏 %u 款降价通知商品", actions_.WatchedCount());
  link_.SetText(linkText);
  PlaceLink();
  // SetHintText leaves the box alone while the user types in it.
  priceBox_.SetHintText(kHint);
  ShowOfferParts(SW_SHOW);
  close_.ShowWindow(SW_SHOW);
  ShowWindow(SW_SHOW);
  BringWindowToTop();
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CPriceNotifyWnd::Confirm(double price) {
  success_ = true;
  whiteText_ = true;
  successText_ = kSuccess;
  ShowOfferParts(SW_HIDE);
  actions_.AddWatch(price, &item_);
  actions_.ForgetView(view_);
  SetTimer(kHideTimer, kSuccessShowMs);
  Invalidate();
}

void CPriceNotifyWnd::OnConfirm() {
  CString text;
  priceBox_.GetWindowText(text);
  const bool showsHint = text.CompareNoCase(priceBox_.GetHintText()) == 0;
  const std::optional<double> price = ChooseWatchPrice(text, showsHint, item_.CurrentPrice);
  if (price) {
    Confirm(*price);
    return;
  }
  // Nothing that could ever be reported: the offer stays, and the box asks
  // for a price again (at once, or when the user leaves it).
  if (::GetFocus() == priceBox_.m_hWnd) {
    priceBox_.SetWindowText(u"");
  } else {
    priceBox_.SetHintText(kHint);
  }
  priceBox_.Invalidate();
}

void CPriceNotifyWnd::OnAnyDrop() { Confirm(item_.CurrentPrice); }

void CPriceNotifyWnd::OnCloseBar() {
  ShowWindow(SW_HIDE);
  actions_.ForgetView(view_);
}

void CPriceNotifyWnd::OnTimer(UINT_PTR id) {
  if (id != kHideTimer) return;
  ShowWindow(SW_HIDE);
  KillTimer(kHideTimer);
}

LRESULT CPriceNotifyWnd::OnLinkClicked(WPARAM, LPARAM) {
  if (CWnd* parent = GetParent()) parent->PostMessage(WM_COMMAND, ID_SHOW_CUTPRICE_DLG, 0);
  return 0;
}

void CPriceNotifyWnd::OnLButtonDown(UINT, CPoint point) {
  PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
}

HBRUSH CPriceNotifyWnd::OnCtlColor(CDC* dc, CWnd* control, UINT kind) {
  HBRUSH brush = CWnd::OnCtlColor(dc, control, kind);
  if (control && control->m_hWnd == priceBox_.m_hWnd)
    dc->SetTextColor(priceBox_.IsShowingHint() ? kHintColour : RGB(0, 0, 0));
  return brush;
}

BOOL CPriceNotifyWnd::OnEraseBkgnd(CDC*) { return TRUE; }

void CPriceNotifyWnd::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  if (client.IsRectEmpty()) return;
  PaintBuffered(dc, client, [&](CDC& memory) { Draw(memory, client); });
  // The link repaints on top of what was just drawn.
  if (link_.m_hWnd) link_.Invalidate();
}

void CPriceNotifyWnd::Draw(CDC& dc, const CRect& client) {
  dc.SetBkMode(TRANSPARENT);
  const int w = client.Width();
  const int h = client.Height();
  const int fw = skin_.m_nFrameWidth;
  const int fh = skin_.m_nFrameHeight;
  if (!skin_.IsNull()) {
    skin_.DrawFrame(dc.m_hDC, 0, 0, 0);
    skin_.DrawFrame(dc.m_hDC, 2, w - fw, 0);
    skin_.Draw(dc.m_hDC, CRect(fw, 0, w - fw, h), CRect(fw, 0, 2 * fw, fh));
  }
  CFont* previous = dc.SelectObject(GetUiFont(kUiFontBold12));
  if (!logo_.IsNull()) logo_.Draw(dc.m_hDC, 14, 10);
  if (!success_) {
    if (!boxFrame_.IsNull()) boxFrame_.Draw(dc.m_hDC, 103, 8);
    if (!words_.IsNull()) words_.Draw(dc.m_hDC, 352, 8);
  } else {
    dc.SetTextColor(RGB(255, 255, 255));
    CRect text(102, 15, client.right, 27);
    dc.DrawText(successText_, text, DT_SINGLELINE | DT_VCENTER);
  }
  dc.SelectObject(previous);
}
