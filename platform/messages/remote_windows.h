#pragma once
// The top-level windows of the user's other live processes, read from the
// lists they publish in the runtime folder. Any thread may call these; they
// touch no window record and no Qt object. A dead process's list is never
// used (and is removed on the way).
#include <optional>

#include "published_windows.h"
#include "win/types.h"

namespace quorla {

// The first window of another live process whose class (letter case aside)
// and title (exactly) match; null arguments match anything. Processes are
// taken in order of their ids, windows in the order of their handles.
std::optional<PublishedWindow> FindRemoteWindow(LPCWSTR className, LPCWSTR title);

// The window behind a handle of another process while that process lives
// and lists it.
std::optional<PublishedWindow> LookUpRemoteWindow(HWND hwnd);

// For IsWindowVisible: whether another process's window is listed as visible
// (FALSE for a handle that names no such window).
bool IsRemoteWindowVisible(HWND hwnd);

}  // namespace quorla
