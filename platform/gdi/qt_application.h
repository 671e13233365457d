#pragma once
// The process's one Qt application.
//
// Text needs Qt's font database, and the font database needs a
// QGuiApplication. The programs make fonts, DCs and bitmaps during static
// initialisation, long before anything of Qt runs, so the layer's records
// hold no Qt objects until first used, and the first use that needs Qt Gui
// calls EnsureQtApplication(). It makes a QApplication (the widgets kind, so
// the windowing part of the layer later runs its event loop on this same
// object instead of needing a second one) unless the program or the tests
// already made one; it is never destroyed, so Qt objects held by static
// drawing objects stay valid through static destruction.
//
// Threads: the thread that first calls it becomes Qt's GUI thread. In the
// programs that is the user-interface thread, which draws first and runs the
// message loop; the windowing backend calls it at the start of that loop.
// Calls from any thread are safe; only the first creates anything.
//
// Without a display (no DISPLAY and no WAYLAND_DISPLAY) and with no platform
// chosen, the offscreen platform is used, so drawing works headless instead
// of aborting.
namespace quorla {

void EnsureQtApplication();

}  // namespace quorla
