#include "dlg_cut_price_notify.h"

#include <string>

#include "browser_launch.h"
#include "monitor_clamp.h"
#include "share_address.h"
#include "skin_bitmaps.h"
#include "vxshared/watch_date.h"
#include "win/input.h"
#include "win/menus.h"
#include "win/regions.h"
#include "win/system_metrics.h"
#include "win/text_draw.h"

namespace {

constexpr int kShownStyle = SFWS_VISIBLE | SFWS_ENABLED | SFWS_SIZETOIMAGE;  // 0x26
constexpr int kBoxStyle = kShownStyle | SFWS_OVERBACKGROUND;                  // 0x2E
constexpr UINT kLabelFormat = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;  // 0x8820
constexpr UINT kProductTitleFormat = kLabelFormat | DT_CENTER | DT_VCENTER;  // 0x8825
constexpr int kEdgeGap = 5;  // between the pop-up and the work area's right and bottom edges

constexpr char16_t kTitleText[] = u"{#font=6}Quorla购物浏览器 降价通知";
constexpr char16_t kShareText[] = u"{#color=65280}分享降价商品给好友";

int LowWord(LPARAM value) { return static_cast<WORD>(value & 0xFFFF); }
int HighWord(LPARAM value) { return static_cast<WORD>((value >> 16) & 0xFFFF); }

}  // namespace

CDlgCutPriceNotify::CDlgCutPriceNotify() { InitReducePriceItem(&m_item); }

void CDlgCutPriceNotify::SetItem(const ReducePriceItem& item) { m_item = item; }

void CDlgCutPriceNotify::SetUpButton(CButtonState4& button, UINT id, UINT skin) {
  CFSBitmap& bitmap = SkinBitmap(skin);
  button.Init(this, nullptr, 0, 0, 0, 0, static_cast<int>(id), kShownStyle);
  button.SetBitmap(&bitmap);
  if (bitmap.HasAlpha()) button.SetStyle(button.GetStyle() | SFWS_OVERBACKGROUND);
  if (button.HasStyle(SFWS_SIZETOIMAGE)) ResizeWnd(&button, bitmap.GetFrameWidth(), bitmap.GetHeight());
}

void CDlgCutPriceNotify::SetUpTexts() {
  const CFSBitmap& background = SkinBitmap(SKIN_BACKGROUND);
  const int width = background.GetFrameWidth();

  m_title.Init(this, nullptr, 8, 8, 250, 30, 0, kShownStyle);
  m_title.SetText(kTitleText, kLabelFormat);

  m_productBox.Init(this, nullptr, 5, 5, width - 20, 46, 0, kBoxStyle);
  CFSBitmap& productSkin = SkinBitmap(SKIN_PRODUCT_BOX);
  m_productImage.Init(nullptr, nullptr, 0, 0, m_productBox.GetWidth() - 10, m_productBox.GetHeight(), 0,
                      kShownStyle);
  m_productImage.SetBitmap(&productSkin);
  if (productSkin.HasAlpha()) m_productImage.SetStyle(m_productImage.GetStyle() | SFWS_OVERBACKGROUND);
  m_productBox.AddChild(&m_productImage);
  m_productTitle.Init(nullptr, nullptr, 0, 0, m_productImage.GetWidth(), m_productImage.GetHeight(), 0,
                      kShownStyle);
  // The title goes through the mark-up parser as it is.
  const std::u16string title(BoundedText(m_item.Title, sizeof m_item.Title / sizeof m_item.Title[0]));
  m_productTitle.SetText((u"{#font=4,color=ff}" + title).c_str(), kProductTitleFormat);
  m_productBox.AddChild(&m_productTitle);

  m_share.Init(this, nullptr, 0, 0, 150, 30, static_cast<int>(IDC_NOTIFY_SHARE), kShownStyle);
  m_share.SetText(kShareText, kLabelFormat);
  m_share.SetLinkMode(true);

  CFSBitmap& priceSkin = SkinBitmap(SKIN_PRICE_BOX);
  CFSBitmap& currency = SkinBitmap(SKIN_CURRENCY);
  const double values[3] = {m_item.PreviousPrice, m_item.CurrentPrice, m_item.PreviousPrice - m_item.CurrentPrice};
  for (int kind = 0; kind < 3; ++kind) {
    m_prices[kind].Init(this, nullptr, 5, 5, 114, priceSkin.GetHeight(), 0, kShownStyle);
    m_prices[kind].SetContent(kind, values[kind], &priceSkin, &currency,
                              kind == CCutPriceInfoWnd::kFormerPrice ? &SkinBitmap(SKIN_STRIKE) : nullptr,
                              kind == CCutPriceInfoWnd::kPriceDrop ? &SkinBitmap(SKIN_BADGE) : nullptr);
  }

  m_message.Init(this, nullptr, 0, 0, width - 20, 60, 0, kShownStyle);
  WCHAR date[MAX_PATH] = {};
  FormatWatchDate(date, m_item.AddedTime);
  const std::u16string message = std::u16string(u"您于 {#color=ff}") + date +
                                 u"{/} 号关注的商品现在降价啦! 为避免商品价\r\n"
                                 u"格调回原价, 如果达到了您的心里价位, 建议您尽快购买!";
  m_message.SetText(message.c_str(), kLabelFormat);
}

LRESULT CDlgCutPriceNotify::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
  m_foregroundLocked = LockSetForegroundWindow(LSFW_LOCK);
  const CFSBitmap& background = SkinBitmap(SKIN_BACKGROUND);
  SetUpButton(m_close, IDC_NOTIFY_CLOSE, SKIN_CLOSE);
  SetUpButton(m_open, IDC_NOTIFY_OPEN, SKIN_OPEN);
  SetUpTexts();
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, background.GetFrameWidth(), background.GetHeight(), SWP_NOZORDER);
  PlaceInWorkArea();
  return TRUE;
}

void CDlgCutPriceNotify::PlaceInWorkArea() {
  RECT work{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) return;
  RECT window{};
  ::GetWindowRect(m_hWnd, &window);
  ::SetWindowPos(m_hWnd, nullptr, work.right - kEdgeGap - (window.right - window.left),
               work.bottom - kEdgeGap - (window.bottom - window.top), 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
}

LRESULT CDlgCutPriceNotify::OnSize(UINT, WPARAM wParam, LPARAM lParam, BOOL&) {
  if (wParam == SIZE_MINIMIZED) return 0;
  const int w = LowWord(lParam);
  const int h = HighWord(lParam);
  HRGN shape = CreateRoundRectRgn(0, 0, w + 1, h + 1, 7, 7);
  const POINT cuts[] = {{1, 1}, {w - 2, 1}, {1, h - 2}, {w - 2, h - 2}};
  for (const POINT& cut : cuts) {
    HRGN pixel = CreateRectRgn(cut.x, cut.y, cut.x + 1, cut.y + 1);
    CombineRgn(shape, shape, pixel, RGN_DIFF);
    DeleteObject(pixel);
  }
  ::SetWindowRgn(m_hWnd, shape, TRUE);  // the window owns the region now
  LayoutChildren(w, h);
  RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
  return 0;
}

void CDlgCutPriceNotify::LayoutChildren(int cx, int cy) {
  if (cx == 0 && cy == 0) {
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    cx = client.right - client.left;
    cy = client.bottom - client.top;
  }
  const int closeGap = m_hWnd && IsZoomed() ? 2 : 5;
  MoveWnd(&m_close, cx - m_close.GetWidth() - closeGap, 1);
  MoveWnd(&m_open, cx - m_open.GetWidth() - 25, cy - m_open.GetHeight() - 16);
  MoveWnd(&m_message, 18, 45);
  MoveWnd(&m_productBox, 18, 135);
  const int pricesTop = 135 + m_productBox.GetHeight();
  MoveWnd(&m_prices[CCutPriceInfoWnd::kFormerPrice], 31, pricesTop);
  MoveWnd(&m_prices[CCutPriceInfoWnd::kCurrentPrice], 145, pricesTop);
  MoveWnd(&m_prices[CCutPriceInfoWnd::kPriceDrop], 259, pricesTop);
  MoveWnd(&m_share, 13, cy - 30);
}

void CDlgCutPriceNotify::PaintBackground(HDC dc, const RECT* rect) {
  if (!dc || !rect) return;
  const int w = rect->right - rect->left;
  const int h = rect->bottom - rect->top;
  SkinBitmap(SKIN_BACKGROUND).DrawEx(dc, rect->left, rect->top, w, h, rect->left, rect->top, w, h, 0);
}

LRESULT CDlgCutPriceNotify::OnClose(UINT, WPARAM, LPARAM, BOOL&) {
  ShowWindow(SW_HIDE);
  EndDialog(1);
  return 0;
}

LRESULT CDlgCutPriceNotify::OnShowWindow(UINT, WPARAM, LPARAM, BOOL& bHandled) {
  if (m_foregroundLocked) {
    LockSetForegroundWindow(LSFW_UNLOCK);
    m_foregroundLocked = FALSE;
  }
  bHandled = FALSE;
  return 0;
}

LRESULT CDlgCutPriceNotify::OnCommand(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
  const UINT id = static_cast<WORD>(wParam & 0xFFFF);
  const UINT code = static_cast<WORD>((wParam >> 16) & 0xFFFF);
  if (code == SFN_CLICKED && id == IDC_NOTIFY_CLOSE) {
    PostMessage(WM_CLOSE);
  } else if (code == SFN_CLICKED && id == IDC_NOTIFY_OPEN) {
    OpenItem();
  } else if (code == SFN_CLICKED && id == IDC_NOTIFY_SHARE) {
    ShowShareMenu();
  } else if (code == 0 && (id == ID_SHARE_SINA || id == ID_SHARE_TENCENT)) {
    ShareItem(id);
  } else {
    bHandled = FALSE;
  }
  return 0;
}

LRESULT CDlgCutPriceNotify::OnLButtonDown(UINT, WPARAM, LPARAM, BOOL&) {
  // A press that no control took moves the window, as one on a caption would.
  if (!IsZoomed()) SendMessage(WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
  return 0;
}

void CDlgCutPriceNotify::OpenItem() {
  const std::u16string url(BoundedText(m_item.Url, sizeof m_item.Url / sizeof m_item.Url[0]));
  StartBrowser(url.c_str());
  EndDialog(1);
}

void CDlgCutPriceNotify::ShowShareMenu() {
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  AppendMenuW(menu, MF_STRING, ID_SHARE_SINA, u"分享到新浪微博");
  AppendMenuW(menu, MF_STRING, ID_SHARE_TENCENT, u"分享到腾讯微博");
  POINT cursor{};
  GetCursorPos(&cursor);
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, ClampToMonitorX(cursor.x, cursor.y), cursor.y, 0, m_hWnd, nullptr);
  DestroyMenu(menu);
}

void CDlgCutPriceNotify::ShareItem(UINT service) { StartBrowser(BuildShareAddress(service, m_item).c_str()); }
