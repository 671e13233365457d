#pragma once
// Keeping this process's list of top-level windows in the runtime folder up
// to date, for FindWindowW, IsWindow and IsWindowVisible in the user's other
// processes. The first top-level window starts it all: the liveness lock, the
// list, the socket and the thread that receives messages posted from other
// processes.
#include "win/types.h"

namespace quorla {

struct WindowRecord;

// A window that other processes see: neither message-only nor a child.
bool IsPublishedKind(const WindowRecord& record);

// Rewrites the list after anything that others see of a window has changed:
// its creation, destruction, title or WS_VISIBLE style, or whether it is
// top-level. Call it after the change, with no layer lock held; any thread.
// Costs nothing for a window that is not and was not on the list (children,
// message-only windows). Does nothing when the runtime folder is refused.
void PublishWindowChange(HWND hwnd);

}  // namespace quorla
