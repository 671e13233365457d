#pragma once
// The input side of TrackMouseEvent (win/mouse_tracking.h): the mouse
// routing tells it where the pointer is, and it posts WM_MOUSELEAVE. Called
// on the thread that owns the windows on screen.
#include <QPoint>

namespace quorla {

// The pointer is at this screen point (every mouse event, captured or not).
void NotePointerForLeaveTracking(QPoint screen);
// The pointer left the windows of the process (onto the desktop, another
// program or a menu); ignored while a window of the thread holds the
// capture, whose moves keep coming.
void NotePointerLeftWindows();

}  // namespace quorla
