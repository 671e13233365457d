#include "browser_app.h"

#include "afx/ole_control_site.h"
#include "browser_ids.h"
#include "main_frame.h"
#include "process_objects.h"
#include "running_browser.h"
#include "start_argument.h"
#include "vxshared/dbg_helper.h"
#include "win/com.h"
#include "win/command_line.h"
#include "win/common_controls.h"

BOOL CKQBrowserApp::InitInstance() {
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
  ::InitCommonControlsEx(&controls);
  CWinApp::InitInstance();
  if (FAILED(::OleInitialize(nullptr))) return FALSE;
  AfxEnableControlContainer();
  SetRegistryKey(u"应用程序向导生成的本地应用程序");
  InstallCrashHandler();

  CString& argument = StartArgument();
  argument = ExtractStartArgument(::GetCommandLineW());
  if (IsTrayOption(argument)) {
    // A window of this process's own, should it come to that, shows the
    // start page.
    argument.Empty();
    if (PostToRunningBrowser(WM_RESTORE_MAIN_WINDOW, 0)) return TRUE;
  } else if (IsPriceOption(argument)) {
    // Without a running browser the argument stays, and the new window
    // opens the watch list itself.
    if (PostToRunningBrowser(WM_COMMAND, ID_SHOW_CUTPRICE_DLG)) return TRUE;
  }

  auto* frame = new CMainFrame;
  if (!frame->GetSafeHwnd()) {
    delete frame;
    return FALSE;
  }
  m_pMainWnd = frame;
  frame->ShowWindow(SW_SHOW);
  frame->UpdateWindow();
  return TRUE;
}
