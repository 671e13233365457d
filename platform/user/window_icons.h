#pragma once
// A window's small and big icons (WM_SETICON), shown as its icon on the
// desktop once the window is on screen.
#include "win/types.h"

namespace quorla {

// Keeps the icon of the kind (ICON_SMALL, ICON_BIG; anything else is
// refused with null); returns the previous icon of that kind.
HICON SetWindowIcon(HWND hwnd, WPARAM kind, HICON icon);
HICON WindowIcon(HWND hwnd, WPARAM kind);

}  // namespace quorla
