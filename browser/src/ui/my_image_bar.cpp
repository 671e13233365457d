#include "my_image_bar.h"

BEGIN_MESSAGE_MAP(CMyImageBar, CBarWnd)
  ON_WM_SIZE()
END_MESSAGE_MAP()

CMyImageBar::~CMyImageBar() {
  if (m_hWnd) DestroyWindow();
}

BOOL CMyImageBar::Create(CWnd* parent) { return CreateBar(parent, u"ImageBar"); }

int CMyImageBar::AddButton(UINT pngId, int commandId) {
  auto button = std::make_unique<Button>();
  LoadPngImage(pngId, &button->image, 1, 4);
  button->id = commandId;
  buttons_.push_back(std::move(button));
  Layout();
  toolTips_.Add(*this, commandId, buttons_.back()->rect);
  if (m_hWnd) Invalidate(FALSE);
  return static_cast<int>(buttons_.size()) - 1;
}

void CMyImageBar::SetButtonImage(int commandId, UINT newPngId, int newCommandId) {
  Button* button = FindButton(commandId);
  if (!button) return;
  button->image.Destroy();
  LoadPngImage(newPngId, &button->image, 1, 4);
  // One tool per button: the old command's goes with it.
  toolTips_.Remove(*this, button->id);
  button->id = newCommandId;
  Layout();
  toolTips_.Add(*this, newCommandId, button->rect);
  if (m_hWnd) Invalidate(FALSE);
}

void CMyImageBar::EnableButton(int commandId, BOOL enable) {
  Button* button = FindButton(commandId);
  if (!button) return;
  button->state = enable ? kBarStateNormal : kBarStateDisabled;
  if (m_hWnd) Invalidate(FALSE);
}

CRect CMyImageBar::GetBarRect() const {
  int width = 0;
  for (const auto& button : buttons_) width += button->image.m_nFrameWidth;
  return CRect(0, 0, width, background_.m_nFrameHeight);
}

const CMyImageBar::Button* CMyImageBar::GetButton(int index) const {
  return index >= 0 && index < GetButtonCount() ? buttons_[static_cast<size_t>(index)].get() : nullptr;
}

CMyImageBar::Button* CMyImageBar::FindButton(int commandId) {
  for (auto& button : buttons_)
    if (button->id == commandId) return button.get();
  return nullptr;
}

BarMouse::Buttons CMyImageBar::HitButtons() {
  BarMouse::Buttons all;
  for (auto& button : buttons_) all.push_back(button.get());
  return all;
}

// Buttons touch, left to right, centred on the background's height; nothing
// is clipped to the window.
void CMyImageBar::Layout() {
  const int barHeight = background_.m_nFrameHeight;
  int x = 0;
  for (auto& button : buttons_) {
    const int width = button->image.m_nFrameWidth;
    const int height = button->image.m_nFrameHeight;
    const CRect rect(x, (barHeight - height) / 2, x + width, (height + barHeight) / 2);
    if (rect != button->rect) {
      button->rect = rect;
      toolTips_.Move(*this, button->id, rect);
    }
    x += width;
  }
}

void CMyImageBar::DrawBar(CDC& dc, const CRect& client) {
  background_.Draw(dc, 0, 0, client.Width(), background_.m_nFrameHeight, 0, 0, background_.m_nFrameWidth,
                   background_.m_nFrameHeight);
  for (const auto& button : buttons_) {
    if (button->state < kBarStateNormal || button->state > kBarStateDisabled) continue;
    button->image.DrawFrame(dc, button->state, button->rect.left, button->rect.top);
  }
}

void CMyImageBar::OnSize(UINT type, int cx, int cy) {
  CWnd::OnSize(type, cx, cy);
  Layout();
}
