#include "tab_strip_fixture.h"

#include <algorithm>

#include "pixel_reader.h"
#include "start_page.h"

namespace tab_test {

std::string Utf8(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

namespace {

std::u16string Lower(std::u16string text) {
  for (char16_t& c : text)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  return text;
}

}  // namespace

CWnd* FakeOwner::NewView(const std::u16string& address) {
  views_.push_back(View{std::make_unique<CWnd>(), address});
  return views_.back().window.get();
}

int FakeOwner::Open(const std::u16string& address) {
  CWnd* view = NewView(address);
  const int index = strip->AddTab(view, address.c_str());
  if (index >= 0) Select(index);
  return index;
}

void FakeOwner::Select(int index) {
  strip->SetCurSel(index);
  const int last = strip->GetLastShownTab();
  if (last != index) strip->ShowTabView(last, SW_HIDE);
  strip->ShowTabView(index, SW_SHOW);
}

std::u16string FakeOwner::AddressOf(CWnd* view) const {
  for (const View& v : views_)
    if (v.window.get() == view) return v.address;
  return u"";
}

bool FakeOwner::Owns(CWnd* view) const {
  return std::any_of(views_.begin(), views_.end(), [&](const View& v) { return v.window.get() == view; });
}

int FakeOwner::Count(const std::string& call) const {
  return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

void FakeOwner::PlaceHomeButton() {
  calls.push_back("home");
  homePlaces.push_back(strip->GetTabsWidth());
}

void FakeOwner::CloseTab(int index, CWnd* view) {
  calls.push_back("close " + std::to_string(index));
  views_.erase(std::remove_if(views_.begin(), views_.end(), [&](const View& v) { return v.window.get() == view; }),
               views_.end());
  const int count = strip->GetItemCount();
  if (count > 0) Select(index < count ? index : count - 1);
}

bool FakeOwner::EnsureStartPage() {
  calls.push_back("ensure");
  if (strip->GetItemCount() > 0) return Lower(AddressOf(strip->GetTabView(0))) == Lower(kStartPageAddress);
  Open(kStartPageAddress);
  return true;
}

void FakeOwner::ShowCurrentView() { calls.push_back("show"); }

void FakeOwner::OpenUrlInNewTab(LPCWSTR address) {
  calls.push_back("open " + Utf8(address));
  Open(address);
}

Stage::Stage(CWnd& host) {
  owner.strip = &strip;
  EXPECT_TRUE(strip.Create(CMyTabCtrl::kStyle, CRect(0, 0, 600, 300), &host, CMyTabCtrl::kControlId));
  EXPECT_TRUE(strip.LoadImages());
  ui_test::Pump();
}

void TabStripTest::SetUp() {
  owner.strip = &strip;
  ASSERT_TRUE(strip.Create(CMyTabCtrl::kStyle, CRect(0, 0, 600, 300), &host, CMyTabCtrl::kControlId));
  ASSERT_TRUE(strip.LoadImages());
  ui_test::Pump();
}

void TabStripTest::Resize(int width) {
  strip.MoveWindow(0, 0, width, 300);
  ui_test::Pump();
}

void TabStripTest::OpenTabs(const std::vector<std::u16string>& addresses) {
  for (const auto& address : addresses) ASSERT_GE(owner.Open(address), 0) << Utf8(address);
  ui_test::Pump();
}

std::vector<std::u16string> TabStripTest::Texts() {
  std::vector<std::u16string> texts;
  for (int i = 0; i < strip.GetItemCount(); ++i) texts.emplace_back(strip.GetTabText(i).GetString());
  return texts;
}

DWORD TabStripTest::State(int index, DWORD mask) { return strip.GetItemState(index, mask); }

CRect TabStripTest::TabRect(int index) {
  CRect rect;
  EXPECT_TRUE(strip.GetItemRect(index, &rect)) << index;
  return rect;
}

COLORREF TabStripTest::PixelAfterPaint(int x, int y) {
  strip.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  return ui_test::Pixels::OfWindow(strip).At(x, y);
}

}  // namespace tab_test
