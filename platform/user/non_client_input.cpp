#include "non_client_input.h"

#include "win/input.h"
#include "win/messages.h"

namespace quorla {
namespace {

// Both ranges run move, then down, up and double click of the left, right
// and middle buttons.
constexpr UINT kClientFirst = WM_MOUSEMOVE, kClientLast = WM_MBUTTONDBLCLK;
constexpr UINT kNonClientFirst = WM_NCMOUSEMOVE, kNonClientLast = WM_NCMBUTTONDBLCLK;
static_assert(kClientLast - kClientFirst == kNonClientLast - kNonClientFirst);

}  // namespace

int AskHitTest(HWND hwnd, QPoint screen) {
  LPARAM point = MAKELPARAM(static_cast<WORD>(screen.x()), static_cast<WORD>(screen.y()));
  return static_cast<int>(SendMessageW(hwnd, WM_NCHITTEST, 0, point));
}

bool IsNonClientMouseMessage(UINT message) { return message >= kNonClientFirst && message <= kNonClientLast; }

UINT NonClientMessageOf(UINT clientMessage) {
  if (clientMessage < kClientFirst || clientMessage > kClientLast) return clientMessage;
  return kNonClientFirst + (clientMessage - kClientFirst);
}

UINT ClientMessageOf(UINT message) {
  if (!IsNonClientMouseMessage(message)) return message;
  return kClientFirst + (message - kNonClientFirst);
}

}  // namespace quorla
