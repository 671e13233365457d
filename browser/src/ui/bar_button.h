#pragma once
// What the two bars' buttons share: a command, a look state and a place.
#include "afx/geometry.h"

// A button's look: normal, under the pointer, held down, disabled.
enum BarButtonState : int {
  kBarStateNormal = 0,
  kBarStateHover = 1,
  kBarStatePressed = 2,
  kBarStateDisabled = 3,
};

struct BarButton {
  int id = 0;                      // the command it posts to the bar's parent
  int state = kBarStateNormal;     // BarButtonState
  CRect rect;                      // in the bar's client coordinates
};
