// VXBrowser: the shopping browser. Everything is in the vx_browser library;
// this file holds the entry.
#include "afx/win_app.h"
#include "process_objects.h"
#include "win/command_line.h"
#include "win/modules.h"
#include "win/window_styles.h"

int main() {
  // The process-wide objects come first, from this one place, after every
  // static object of the framework: the application object is among them.
  BuildBrowserProcessObjects();
  return AfxWinMain(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), SW_SHOWDEFAULT);
}
