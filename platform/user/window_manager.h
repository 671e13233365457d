#pragma once
// Whether a window manager looks after the windows on screen. Without one
// (a bare X server, the offscreen platform) nobody iconifies a window, so a
// minimised window is taken off the screen instead.
namespace quorla {

// Asked anew each time: a window manager may start or stop meanwhile. Call
// on the thread that runs Qt.
bool WindowManagerRunning();

}  // namespace quorla
