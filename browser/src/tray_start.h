#pragma once
// Starting the tray program beside the browser when it does not run yet.

// Tests the tray program's single-instance mutex; when it does not exist,
// starts VXTray.exe from this program's directory through the shell, with
// no arguments. A failure to start is not reported. Returns whether a start
// was attempted.
bool StartTrayProgramUnlessRunning();
