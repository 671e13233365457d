#include "cut_price_info_wnd.h"

#include <string>

#include "vxshared/price_integer.h"
#include "sfwnd/markup_fonts.h"
#include "win/text_draw.h"

namespace {

constexpr int kPriceFont = 6;  // Tahoma -13 bold
constexpr UINT kCaptionFormat = DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
constexpr UINT kValueFormat = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;

}  // namespace

void CCutPriceInfoWnd::SetContent(int kind, double value, CFSBitmap* background, CFSBitmap* currency,
                                  CFSBitmap* strike, CFSBitmap* badge) {
  m_kind = kind;
  m_value = value;
  m_background = background;
  m_currency = currency;
  m_strike = strike;
  m_badge = badge;
}

std::u16string CCutPriceInfoWnd::CaptionText() const {
  switch (m_kind) {
    case kFormerPrice:
      return u"原价";
    case kCurrentPrice:
      return u"现价";
    case kPriceDrop:
      return u"直降";
    default:
      return {};
  }
}

std::u16string CCutPriceInfoWnd::ValueText() const {
  const std::string digits = std::to_string(PriceIntegerPart(m_value));
  return std::u16string(digits.begin(), digits.end());
}

void CCutPriceInfoWnd::Draw(HDC dc, const RECT* area) {
  if (!m_background || !dc || !area) return;
  m_background->StretchFrame(dc, area->left, area->top, area->right - area->left, area->bottom - area->top, 0);
  if (m_currency)
    m_currency->StretchFrame(dc, area->left + 38, area->top + 30, m_currency->GetFrameWidth(),
                             m_currency->GetHeight(), 0);

  HGDIOBJ previousFont = SelectObject(dc, GetMarkupFont(kPriceFont));
  // The texts lie on the box's skin; a DC left opaque by whoever used it
  // before would paint a block behind them.
  const int previousMode = SetBkMode(dc, TRANSPARENT);
  const std::u16string caption = CaptionText();
  if (!caption.empty()) {
    RECT captionBox{0, 5, area->right, 30};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &captionBox, kCaptionFormat);
  }
  const std::u16string value = ValueText();
  RECT valueBox{53, 28, area->right, area->bottom};
  DrawTextW(dc, value.c_str(), static_cast<int>(value.size()), &valueBox, kValueFormat);

  if (m_kind == kFormerPrice && m_strike) {
    SIZE extent{};
    GetTextExtentPoint32W(dc, value.c_str(), static_cast<int>(value.size()), &extent);
    const int currencyHeight = m_currency ? m_currency->GetHeight() : 0;
    m_strike->StretchFrame(dc, area->left + 32, area->top + 30 + currencyHeight / 2, extent.cx + 28,
                           m_strike->GetHeight(), 0);
  }
  if (m_kind == kPriceDrop && m_badge)
    m_badge->StretchFrame(dc, area->left + 5, area->top + 10, m_badge->GetFrameWidth(), m_badge->GetHeight(), 0);

  if (previousMode) SetBkMode(dc, previousMode);
  if (previousFont) SelectObject(dc, previousFont);
}
