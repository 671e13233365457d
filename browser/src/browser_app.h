#pragma once
// The browser's application object: its start either opens the main window
// or hands the request to a browser that already runs.
#include "afx/win_app.h"

class CKQBrowserApp : public CWinApp {
 public:
  // TRUE when the program goes on: a main window was made, or the request
  // was handed to a running browser's window (the loop then ends at once,
  // with code 0, as there is no main window). FALSE when it ends at once.
  BOOL InitInstance() override;
};
