#include "choose_list.h"

#include <utility>

#include "afx/window_dcs.h"
#include "buffered_paint.h"
#include "ui_fonts.h"
#include "win/gdi_objects.h"
#include "win/input.h"
#include "win/mouse_tracking.h"

BEGIN_MESSAGE_MAP(CChooseList, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_MOUSEMOVE()
  ON_WM_MOUSELEAVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

CChooseList::~CChooseList() {
  if (m_hWnd) DestroyWindow();
}

BOOL CChooseList::CreateList(CWnd* parent) {
  LPCWSTR className = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, LoadCursorW(nullptr, IDC_ARROW),
                                          static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  return CreateEx(0, className, u"", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, parent ? parent->m_hWnd : nullptr,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(-1)));
}

ChooseEntry* CChooseList::AddEntry(UINT iconId, int commandId, LPCWSTR title) {
  auto entry = std::make_unique<ChooseEntry>();
  LoadPngImage(iconId, &entry->icon, 1, 1);
  entry->id = commandId;
  entry->title = title;
  entries_.push_back(std::move(entry));
  Layout();
  return entries_.back().get();
}

ChooseEntry* CChooseList::FindEntry(int commandId) {
  for (auto& entry : entries_)
    if (entry->id == commandId) return entry.get();
  return nullptr;
}

ChooseEntry* CChooseList::GetEntry(int index) {
  if (index < 0 || index >= GetEntryCount()) return nullptr;
  return entries_[static_cast<size_t>(index)].get();
}

void CChooseList::Layout() {
  int top = 1;
  for (auto& entry : entries_) {
    entry->rect = CRect(kEntryLeft, top, kEntryRight, top + kEntryHeight);
    top += kEntryHeight;
  }
}

ChooseEntry* CChooseList::HitTest(CPoint point) {
  for (auto& entry : entries_)
    if (entry->rect.PtInRect(point)) return entry.get();
  return nullptr;
}

void CChooseList::SetState(ChooseEntry* entry, int state) {
  if (!entry || entry->state == state) return;
  entry->state = state;
  changed_ = true;
}

void CChooseList::OnMouseMove(UINT, CPoint point) {
  TRACKMOUSEEVENT request{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
  TrackMouseEvent(&request);
  ChooseEntry* hit = HitTest(point);
  if (GetCapture() == this) {
    // A held entry looks pressed only while the pointer is on it; no other
    // entry lights up before the release.
    if (pressed_) SetState(pressed_, hit == pressed_ ? ChooseEntry::kPressed : ChooseEntry::kNormal);
  } else if (hit != hovered_) {
    SetState(hovered_, ChooseEntry::kNormal);
    hovered_ = hit;
    SetState(hovered_, ChooseEntry::kHover);
  }
  if (std::exchange(changed_, false)) Invalidate(FALSE);
}

void CChooseList::OnMouseLeave() {
  SetState(hovered_, ChooseEntry::kNormal);
  hovered_ = nullptr;
  changed_ = false;
  Invalidate(FALSE);
}

void CChooseList::OnLButtonDown(UINT, CPoint point) {
  // Taken even off every entry: the release that follows closes the list
  // wherever it happens.
  SetCapture();
  ChooseEntry* hit = HitTest(point);
  if (!hit) return;
  // A hover that no move took away yet must not stay lit beside the press.
  if (hovered_ != hit) SetState(hovered_, ChooseEntry::kNormal);
  hovered_ = nullptr;
  pressed_ = hit;
  SetState(pressed_, ChooseEntry::kPressed);
  changed_ = false;
  Invalidate(FALSE);
}

void CChooseList::OnLButtonUp(UINT, CPoint point) {
  if (GetCapture() != this) {
    PostCommand(ID_CHOOSE_LIST_CLOSED);
    return;
  }
  ChooseEntry* hit = HitTest(point);
  if (pressed_ && hit == pressed_) {
    SetState(pressed_, ChooseEntry::kNormal);
    pressed_ = nullptr;
    selection_ = hit->id;
    PostCommand(hit->id);
    changed_ = false;
    Invalidate(FALSE);
  } else {
    PostCommand(ID_CHOOSE_LIST_CLOSED);
  }
  ReleaseCapture();
}

// The press ends without a choice, whether the release took the capture
// back or another window took it: no entry stays drawn as held.
void CChooseList::OnCaptureChanged(CWnd*) {
  if (!pressed_) return;
  SetState(pressed_, ChooseEntry::kNormal);
  pressed_ = nullptr;
  if (std::exchange(changed_, false)) Invalidate(FALSE);
}

void CChooseList::PostCommand(int id) {
  if (CWnd* parent = GetParent()) parent->PostMessage(WM_COMMAND, static_cast<WPARAM>(id), 0);
}

void CChooseList::OnPaint() {
  CPaintDC screen(this);
  CRect client;
  GetClientRect(&client);
  if (client.IsRectEmpty()) return;
  PaintBuffered(screen, client, [&](CDC& memory) { Draw(memory, client); });
}

// The paint covers every pixel.
BOOL CChooseList::OnEraseBkgnd(CDC*) { return TRUE; }

void CChooseList::Draw(CDC& dc, const CRect& client) {
  dc.FillSolidRect(client, RGB(255, 255, 255));
  dc.SetBkMode(TRANSPARENT);
  const int w = client.Width(), h = client.Height();
  dc.FillSolidRect(0, 0, w, 1, kFrameColour);
  dc.FillSolidRect(0, 0, 1, h, kFrameColour);
  dc.FillSolidRect(0, h - 1, w, 1, kFrameColour);
  dc.FillSolidRect(w - 1, 0, 1, h, kFrameColour);
  CFont* previous = dc.SelectObject(GetUiFont(kUiFontRegular12));
  dc.SetTextColor(RGB(0, 0, 0));
  for (const auto& entry : entries_) DrawEntry(dc, *entry);
  dc.SelectObject(previous);
}

void CChooseList::DrawEntry(CDC& dc, const ChooseEntry& entry) {
  const CRect& r = entry.rect;
  const int w = skin_.m_nFrameWidth;
  const int h = skin_.m_nFrameHeight;
  const int first = entry.state == ChooseEntry::kHover ? 3 : entry.state == ChooseEntry::kPressed ? 6 : 0;
  skin_.Draw(dc, r.left, r.top, w, h, first * w, 0, w, h);
  if (r.Width() >= 2 * w) skin_.Draw(dc, r.left + w, r.top, r.Width() - 2 * w, h, (first + 1) * w, 0, w, h);
  skin_.Draw(dc, r.right - w, r.top, w, h, (first + 2) * w, 0, w, h);

  entry.icon.DrawFrame(dc, 0, r.left + 2, r.top + (r.Height() - entry.icon.m_nFrameHeight) / 2);

  CRect textRect(r.left + entry.icon.m_nFrameWidth + 4, r.top, r.right, r.bottom);
  dc.DrawText(entry.title, textRect, DT_SINGLELINE | DT_VCENTER);
}
