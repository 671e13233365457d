#pragma once
// Owned top-level windows (dialogs, message boxes) belong above their
// owner: raising or activating the owner keeps them there, and a disabled
// owner, such as the owner of a modal dialog, hands activation to them.
#include "win/types.h"

namespace quorla {

// Raises the visible windows owned by owner above it, keeping their own
// order; their owned windows follow them in turn.
void RaiseOwnedWindows(HWND owner);

// The window that activating the top-level window top really activates:
// top itself, or, when top is disabled, the topmost visible and enabled
// window it owns (directly or through a disabled owned window).
HWND ActivationTarget(HWND top);

}  // namespace quorla
