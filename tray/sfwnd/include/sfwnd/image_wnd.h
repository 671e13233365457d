#pragma once
// CImageWnd: frame 0 of a skin bitmap stretched over the control. It takes no
// mouse message, so a press on it reaches the host. The bitmap is not owned.
#include "sfwnd/fs_bitmap.h"
#include "sfwnd/sf_wnd.h"

class CImageWnd : public CSFWnd {
 public:
  ~CImageWnd() override = default;
  void Draw(HDC dc, const RECT* area) override;

  void SetBitmap(CFSBitmap* bitmap) { m_bitmap = bitmap; }
  CFSBitmap* GetBitmap() const { return m_bitmap; }

 private:
  CFSBitmap* m_bitmap = nullptr;
};
