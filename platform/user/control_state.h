#pragma once
// The state of one of the layer's own controls, kept in its window's extra
// bytes from WM_NCCREATE to WM_NCDESTROY. Only the control's thread touches
// it.
#include "win/messages.h"
#include "win/window_objects.h"

namespace quorla {

template <class State>
State* ControlStateOf(HWND hwnd) {
  return reinterpret_cast<State*>(GetWindowLongPtrW(hwnd, 0));
}

// The state a control's procedure works with for message: made at
// WM_NCCREATE and freed at WM_NCDESTROY, where it answers null, as it does
// before the state exists; the procedure then leaves the message to the
// default procedure.
template <class State>
State* ControlStateFor(HWND hwnd, UINT message) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(new State));
    return nullptr;
  }
  State* state = ControlStateOf<State>(hwnd);
  if (state && message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, 0, 0);
    delete state;
    return nullptr;
  }
  return state;
}

}  // namespace quorla
