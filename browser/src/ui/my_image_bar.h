#pragma once
// CMyImageBar: a row of picture buttons on a background image. Each button
// is a PNG strip of four frames (normal, hover, pressed, disabled); a click
// posts WM_COMMAND with the button's command to the parent. The main window
// carries the caption buttons and the navigation buttons in two of them.
#include <memory>
#include <vector>

#include "bar_window.h"
#include "my_image.h"

class CMyImageBar : public CBarWnd {
 public:
  struct Button : BarButton {
    CMyImage image;  // one row of four frames
  };

  CMyImageBar() = default;
  ~CMyImageBar() override;

  // The window "ImageBar" as a child of parent (see CBarWnd::CreateBar).
  BOOL Create(CWnd* parent);

  // Its frame height is the bar's height for the layout; the owner loads it.
  CMyImage& BackgroundImage() { return background_; }

  // Appends a button showing PNG `pngId` that posts `commandId`, lays the
  // bar out, gives the button its tool tip and repaints; the new index.
  // An image that fails to load leaves the button zero wide, drawing
  // nothing.
  int AddButton(UINT pngId, int commandId);
  // The button of commandId takes PNG newPngId and the command newCommandId
  // (with that command's tool tip in place of its old one). An unknown
  // command changes nothing.
  void SetButtonImage(int commandId, UINT newPngId, int newCommandId);
  // Enabling gives state 0, disabling state 3; an unknown command changes
  // nothing.
  void EnableButton(int commandId, BOOL enable);
  // (0, 0, the buttons' widths together, the background's frame height).
  CRect GetBarRect() const;

  int GetButtonCount() const { return static_cast<int>(buttons_.size()); }
  const Button* GetButton(int index) const;
  Button* FindButton(int commandId);

 protected:
  BarMouse::Buttons HitButtons() override;
  void DrawBar(CDC& dc, const CRect& client) override;

  afx_msg void OnSize(UINT type, int cx, int cy);
  DECLARE_MESSAGE_MAP()

 private:
  void Layout();

  CMyImage background_;
  std::vector<std::unique_ptr<Button>> buttons_;
};
