#pragma once
// The tray program's run: one instance per user, the crash handler, the
// hidden main window with its icon, worker and notice timer, and the end.
#include "atl/app_module.h"
#include "notice_timer.h"
#include "price_watch_context.h"
#include "win/types.h"

// The program's application module.
extern WTL::CAppModule _Module;

// Registers a message loop for this thread with the module, makes the main
// window (hidden), runs the loop until WM_QUIT and destroys the window
// object (which saves the watch list). Returns the loop's exit code; 0 when
// the window could not be made.
int RunMainWindow(PriceWatchContext& context, INoticePopup& popup);

// The worker's context for the life of the process: never freed, because
// the worker runs on until the process is terminated.
PriceWatchContext& ProgramPriceWatchContext();

// The program's entry: returns 0 at once (the ordinary exit) when another
// instance runs or the single-instance mutex cannot be made; otherwise runs
// the program and terminates the process with 0, which also ends the
// workers.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show);
