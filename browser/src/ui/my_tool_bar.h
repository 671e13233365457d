#pragma once
// CMyToolBar: a row of text buttons, each with a small icon at its left, on
// a skin of three slices per look; a click posts WM_COMMAND with the
// button's command to the parent. With the overflow switch on, the buttons
// that do not fit are hidden behind an overflow button at the right end,
// whose click posts WM_TOOLBAR_OVERFLOW to the parent.
#include <cstdint>
#include <memory>
#include <vector>

#include "bar_window.h"
#include "hover_button.h"
#include "my_image.h"

// What WM_TOOLBAR_OVERFLOW's lParam points at: the bar's own record, set at
// every layout and valid while the bar lives.
struct ToolBarOverflow {
  int32_t firstHiddenId;  // both 0 while every button fits
  int32_t lastHiddenId;
  RECT buttonRect;      // the overflow button, in the bar's client coordinates
};

class CMyToolBar : public CBarWnd {
 public:
  struct Button : BarButton {
    int iconIndex = 0;  // the icon image's frame drawn at the left
    CString text;
    LONG_PTR ownerValue = 0;  // the caller's own, kept as given
  };

  CMyToolBar() = default;
  ~CMyToolBar() override;

  // The window "MyToolBar" as a child of parent (see CBarWnd::CreateBar),
  // with its overflow button.
  BOOL Create(CWnd* parent);

  // The owner loads them: the icons (setting their frame width), the skin in
  // nine frames (normal, hover and pressed, three slices each) and the
  // background, whose frame height is the bar's height for the layout.
  CMyImage& IconImage() { return icons_; }
  CMyImage& SkinImage() { return skin_; }
  CMyImage& BackgroundImage() { return background_; }

  // Off (the default): every button in one row. On: what does not fit
  // before the overflow button is hidden behind it.
  void SetOverflow(BOOL on);

  // Appends a button, lays the bar out, gives it its tool tip and repaints;
  // the new index.
  int AddButton(LPCWSTR text, int iconIndex, int commandId, LONG_PTR ownerValue);
  // The first button with the command, or null.
  Button* FindButton(int commandId);
  int GetButtonCount() const { return static_cast<int>(buttons_.size()); }
  const Button* GetButton(int index) const;
  // (0, 0, right edge of the last button, background frame height); the
  // right edge is 0 without buttons or when the last one is hidden.
  CRect GetBarRect() const;

  const ToolBarOverflow& GetOverflow() const { return overflow_; }
  CHoverButton& OverflowButton() { return overflowButton_; }

 protected:
  BarMouse::Buttons HitButtons() override;
  void DrawBar(CDC& dc, const CRect& client) override;

  afx_msg int OnCreate(LPCREATESTRUCT create);
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnOverflowClicked();
  DECLARE_MESSAGE_MAP()

 private:
  void Layout();
  void DrawButton(CDC& dc, const Button& button);

  CMyImage icons_;
  CMyImage skin_;
  CMyImage background_;
  std::vector<std::unique_ptr<Button>> buttons_;
  BOOL overflowOn_ = FALSE;
  ToolBarOverflow overflow_{0, 0, {0, 0, 0, 0}};
  CHoverButton overflowButton_;
};
