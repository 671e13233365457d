#include "my_tool_bar.h"

#include "afx/window_dcs.h"
#include "get_bitmaps.h"
#include "ui_fonts.h"
#include "ui_messages.h"
#include "win/buttons.h"
#include "win/text_draw.h"

BEGIN_MESSAGE_MAP(CMyToolBar, CBarWnd)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_COMMAND(ID_TOOLBAR_OVERFLOW, OnOverflowClicked)
END_MESSAGE_MAP()

namespace {

// Room after the text, inside the right slice.
constexpr int kTextMargin = 10;

}  // namespace

CMyToolBar::~CMyToolBar() {
  if (m_hWnd) DestroyWindow();
}

BOOL CMyToolBar::Create(CWnd* parent) { return CreateBar(parent, u"MyToolBar"); }

int CMyToolBar::OnCreate(LPCREATESTRUCT create) {
  if (CWnd::OnCreate(create) == -1) return -1;
  // Hidden until a layout hides a button; sized to its normal bitmap.
  if (overflowButton_.Create(u"", WS_CHILD | BS_OWNERDRAW, CRect(), this, ID_TOOLBAR_OVERFLOW)) {
    CGetBitmaps::LoadStrip(&overflowButton_, IDB_TOOLBAR_OVERFLOW);
    overflowButton_.SizeToContent();
  }
  return 0;
}

void CMyToolBar::SetOverflow(BOOL on) {
  overflowOn_ = on;
  Layout();
  if (m_hWnd) Invalidate(FALSE);
}

int CMyToolBar::AddButton(LPCWSTR text, int iconIndex, int commandId, LONG_PTR ownerValue) {
  auto button = std::make_unique<Button>();
  button->text = text;
  button->iconIndex = iconIndex;
  button->id = commandId;
  button->ownerValue = ownerValue;
  buttons_.push_back(std::move(button));
  Layout();
  toolTips_.Add(*this, commandId, buttons_.back()->rect);
  if (m_hWnd) Invalidate(FALSE);
  return static_cast<int>(buttons_.size()) - 1;
}

CMyToolBar::Button* CMyToolBar::FindButton(int commandId) {
  for (auto& button : buttons_)
    if (button->id == commandId) return button.get();
  return nullptr;
}

const CMyToolBar::Button* CMyToolBar::GetButton(int index) const {
  return index >= 0 && index < GetButtonCount() ? buttons_[static_cast<size_t>(index)].get() : nullptr;
}

CRect CMyToolBar::GetBarRect() const {
  const int right = buttons_.empty() ? 0 : buttons_.back()->rect.right;
  return CRect(0, 0, right, background_.m_nFrameHeight);
}

BarMouse::Buttons CMyToolBar::HitButtons() {
  BarMouse::Buttons all;
  for (auto& button : buttons_) all.push_back(button.get());
  return all;
}

void CMyToolBar::Layout() {
  const int barHeight = background_.m_nFrameHeight;
  const int skinHeight = skin_.m_nFrameHeight;
  CRect client;
  if (m_hWnd) GetClientRect(&client);
  CRect overflowRect;
  if (overflowButton_.m_hWnd) {
    CRect own;
    overflowButton_.GetClientRect(&own);
    overflowRect = CRect(CPoint(client.Width() - own.Width(), (client.Height() - own.Height()) / 2), own.Size());
  }

  // Text is measured in the bars' font, on the bar's DC (the screen's
  // before the window exists).
  CClientDC dc(m_hWnd ? this : nullptr);
  CFont* previous = dc.SelectObject(GetUiFont(kUiFontRegular12));
  int x = 0;
  for (auto& button : buttons_) {
    const int width = icons_.m_nFrameWidth + dc.GetTextExtent(button->text).cx + kTextMargin;
    button->rect.SetRect(x, (barHeight - skinHeight) / 2, x + width, (skinHeight + barHeight) / 2);
    x = button->rect.right;
  }
  dc.SelectObject(previous);

  overflow_ = ToolBarOverflow{0, 0, overflowRect};
  bool hidden = false;
  if (overflowOn_) {
    const int limit = client.Width() - overflowRect.Width();
    for (auto& button : buttons_) {
      if (!hidden && button->rect.right <= limit) continue;
      if (!hidden) overflow_.firstHiddenId = button->id;
      overflow_.lastHiddenId = button->id;
      hidden = true;
      button->rect.SetRectEmpty();
    }
  }
  for (auto& button : buttons_) toolTips_.Move(*this, button->id, button->rect);
  if (overflowButton_.m_hWnd) overflowButton_.ShowWindow(hidden ? SW_SHOW : SW_HIDE);
}

void CMyToolBar::DrawBar(CDC& dc, const CRect& client) {
  background_.Draw(dc, 0, 0, client.Width(), background_.m_nFrameHeight, 0, 0, background_.m_nFrameWidth,
                   background_.m_nFrameHeight);
  CFont* previous = dc.SelectObject(GetUiFont(kUiFontRegular12));
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(0, 0, 0));
  for (const auto& button : buttons_)
    if (!button->rect.IsRectEmpty()) DrawButton(dc, *button);
  dc.SelectObject(previous);
}

void CMyToolBar::DrawButton(CDC& dc, const Button& button) {
  const CRect& r = button.rect;
  const int w = skin_.m_nFrameWidth;
  const int h = skin_.m_nFrameHeight;
  // Hover and pressed have looks of their own; normal and disabled share one.
  const int first = button.state == kBarStateHover ? 3 : button.state == kBarStatePressed ? 6 : 0;
  skin_.Draw(dc, r.left, r.top, w, h, first * w, 0, w, h);
  if (r.Width() >= 2 * w) skin_.Draw(dc, r.left + w, r.top, r.Width() - 2 * w, h, (first + 1) * w, 0, w, h);
  skin_.Draw(dc, r.right - w, r.top, w, h, (first + 2) * w, 0, w, h);

  icons_.DrawFrame(dc, button.iconIndex, r.left, r.top + (r.Height() - icons_.m_nFrameHeight) / 2);

  CRect textRect(r.left + icons_.m_nFrameWidth, r.top, r.right - kTextMargin, r.bottom);
  dc.DrawText(button.text, textRect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

void CMyToolBar::OnSize(UINT type, int cx, int cy) {
  CWnd::OnSize(type, cx, cy);
  Layout();
  if (overflowButton_.m_hWnd) {
    const CRect& at = overflow_.buttonRect;
    overflowButton_.MoveWindow(at.left, at.top, at.Width(), at.Height());
  }
}

void CMyToolBar::OnOverflowClicked() {
  if (CWnd* parent = GetParent())
    parent->PostMessage(WM_TOOLBAR_OVERFLOW, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&overflow_));
}
