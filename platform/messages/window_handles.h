#pragma once
// Window handle values carry their process: the id of the process that owns
// the window in the high 32 bits, the window's serial number in that process
// in the low 32 bits (even, from 0x10010 up). So any process tells from a
// handle alone whose window it is. The desktop window's handle has no
// process part.
#include "win/types.h"

namespace quorla {

inline DWORD ProcessOfWindow(HWND hwnd) {
  return static_cast<DWORD>(static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(hwnd)) >> 32);
}

inline HWND MakeWindowHandle(DWORD processId, DWORD serial) {
  return reinterpret_cast<HWND>(static_cast<ULONG_PTR>((static_cast<unsigned long long>(processId) << 32) | serial));
}

// A handle that names a window of another process (which may be gone).
bool IsOtherProcessWindow(HWND hwnd);

}  // namespace quorla
