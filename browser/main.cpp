// VXBrowser: the shopping browser. Everything is in the vx_browser library;
// this file holds the entry.
//
// The web engine, once a page has started it, runs threads of its own until
// the end of the process (the layer never destroys the toolkit's
// application object, which would stop them). Ending through exit() would
// destroy the libraries' static objects under those threads, which can crash
// or hang the exit. So the program's own ending is done first, as the
// ordinary exit would do it, and the process then ends at once.
#include <unistd.h>

#include <cstdio>

#include "afx/win_app.h"
#include "process_objects.h"
#include "win/command_line.h"
#include "win/modules.h"
#include "win/window_styles.h"

extern "C" __attribute__((weak)) void __lsan_do_leak_check();

int main() {
  // The process-wide objects come first, from this one place, after every
  // static object of the framework: the application object is among them.
  BuildBrowserProcessObjects();
  const int code = AfxWinMain(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), SW_SHOWDEFAULT);
  TearDownBrowserProcessObjects();
  std::fflush(nullptr);
  // The check that exit() would have made under LeakSanitizer.
  if (__lsan_do_leak_check) __lsan_do_leak_check();
  ::_exit(code);
}
