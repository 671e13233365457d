#pragma once
// The helper process that shows message boxes for the layer.

namespace quorla {

// Starts the helper process when there is a display and it is not running
// yet, so that a later MessageBoxW (also one inside the crash filter) needs
// no more than a write and a read. Any thread; not inside the crash filter.
void PrepareMessageBox();

}  // namespace quorla
