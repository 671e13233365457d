#include "tray_program.h"

#include "atl/message_loop.h"
#include "main_wnd.h"
#include "notice_popup.h"
#include "vxshared/dbg_helper.h"
#include "vxshared/tray_program.h"
#include "win/com.h"
#include "win/common_controls.h"
#include "win/last_error.h"
#include "win/mutexes.h"
#include "win/process_exit.h"
#include "win/threads.h"

WTL::CAppModule _Module;

PriceWatchContext& ProgramPriceWatchContext() {
  static auto* context = new PriceWatchContext;
  return *context;
}

int RunMainWindow(PriceWatchContext& context, INoticePopup& popup) {
  WTL::CMessageLoop loop;
  _Module.AddMessageLoop(&loop);
  int exitCode = 0;
  {
    CMainWnd window(context, popup);
    if (window.CreateHidden()) exitCode = loop.Run();
  }
  _Module.RemoveMessageLoop();
  return exitCode;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  // Held, never released, until the process ends.
  HANDLE mutex = CreateMutexW(nullptr, TRUE, kTrayMutexName);
  if (!mutex || GetLastError() == ERROR_ALREADY_EXISTS) return 0;
  InstallCrashHandler();
  CoInitialize(nullptr);
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  _Module.Init(nullptr, instance);
  static CutPriceNoticePopup popup;
  RunMainWindow(ProgramPriceWatchContext(), popup);
  _Module.Term();
  TerminateProcess(GetCurrentProcess(), 0);
  return 0;
}
