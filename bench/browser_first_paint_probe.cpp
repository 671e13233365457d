// The browser's start up to its first paint: the process-wide objects, then
// the application's start, which makes the main window, shows it and paints
// it; the process ends right there.
#include <unistd.h>

#include "browser_app.h"
#include "process_objects.h"

int main() {
  BuildBrowserProcessObjects();
  const BOOL started = BrowserApp().InitInstance();
  ::_exit(started ? 0 : 1);
}
