#pragma once
// Starting the browser program, which lies beside the tray program.
#include <string>

#include "win/types.h"

// The full path of vxbrowser.exe in the tray program's own directory (the
// running program's path with "..\vxbrowser.exe" appended and folded);
// empty when it cannot be had.
std::u16string BrowserProgramPath();

// Starts the browser with parameters as its whole parameter text. Failures
// are not reported: the user simply sees no browser.
void StartBrowser(LPCWSTR parameters);

// The icon's "open the browser": the browser with "/tray", which brings a
// running browser to the front or starts one.
void LaunchBrowser();
