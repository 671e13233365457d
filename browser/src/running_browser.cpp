#include "running_browser.h"

#include "browser_ids.h"
#include "win/messages.h"
#include "win/window_objects.h"

bool PostToRunningBrowser(UINT message, WPARAM wParam) {
  HWND running = ::FindWindowW(kMainFrameClassName, nullptr);
  return running && ::PostMessageW(running, message, wParam, 0) != FALSE;
}
