#pragma once
// CMultiWnd: a container that draws the controls of its child list, each
// clipped to the area it is given. The children live in the container's
// drawing coordinates, are initialised without a manager, are drawn whatever
// their style and get no mouse messages.
#include "sfwnd/sf_wnd.h"

class CMultiWnd : public CSFWnd {
 public:
  ~CMultiWnd() override = default;
  void Draw(HDC dc, const RECT* area) override;
};
