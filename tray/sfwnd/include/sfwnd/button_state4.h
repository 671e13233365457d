#pragma once
// CButtonState4: a button drawn from a strip of four frames: 0 normal,
// 1 hover, 2 pressed (under the pointer), 3 disabled. A click is a press on
// the button and a release while the pointer is still over it; it reaches
// the host as WM_COMMAND with SFN_CLICKED when the capture ends. The bitmap
// is not owned.
#include "sfwnd/fs_bitmap.h"
#include "sfwnd/sf_wnd.h"

class CButtonState4 : public CSFWnd {
 public:
  static constexpr int kFrameNormal = 0;
  static constexpr int kFrameHover = 1;
  static constexpr int kFramePressed = 2;
  static constexpr int kFrameDisabled = 3;

  ~CButtonState4() override = default;
  void Draw(HDC dc, const RECT* area) override;
  int OnMouseEnter(const POINT* point) override;
  int OnMouseLeave() override;
  int OnLButtonDown(const POINT* point) override;
  int OnLButtonUp(const POINT* point) override;
  int OnCaptureLost() override;

  void SetBitmap(CFSBitmap* bitmap) { m_bitmap = bitmap; }
  CFSBitmap* GetBitmap() const { return m_bitmap; }
  // The frame Draw shows in the present state.
  int CurrentFrame() const;
  bool IsHovering() const { return m_hover; }
  bool IsPressed() const { return m_pressed; }

 private:
  bool m_hover = false;
  bool m_pressed = false;
  CFSBitmap* m_bitmap = nullptr;
};
