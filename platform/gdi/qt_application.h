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
// Unless QT_QPA_PLATFORM chooses, the platform is xcb when DISPLAY is set
// and offscreen otherwise, so drawing works headless instead of aborting.
// Device-pixel ratio 1; the application is named after the program file;
// closing the last window does not quit (only WM_QUIT ends a loop). When the
// display connection breaks, the process ends at once with status 1, as
// TerminateProcess ends it.
#include "win/api.h"

namespace quorla {

// Exported for the layer's WebBrowser library, which needs the application
// before it makes its engine objects.
WINAPI_EXPORT void EnsureQtApplication();

}  // namespace quorla
