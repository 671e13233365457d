#include "tray_start.h"

#include "vxshared/tray_program.h"
#include "win/handles.h"
#include "win/modules.h"
#include "win/mutexes.h"
#include "win/paths.h"
#include "win/shell_execute.h"
#include "win/window_styles.h"

bool StartTrayProgramUnlessRunning() {
  if (HANDLE mutex = ::OpenMutexW(MUTEX_ALL_ACCESS, FALSE, kTrayMutexName)) {
    ::CloseHandle(mutex);
    return false;
  }
  WCHAR path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  ::PathRemoveFileSpecW(path);
  if (!::PathAppendW(path, u"VXTray.exe")) return false;
  ::ShellExecuteW(nullptr, nullptr, path, nullptr, nullptr, SW_SHOWNORMAL);
  return true;
}
