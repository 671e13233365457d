#include "vxshared/dbg_helper.h"

#include <cstdio>

#include "win/files.h"
#include "win/handles.h"
#include "win/message_box.h"
#include "win/modules.h"
#include "win/paths.h"
#include "win/process_exit.h"
#include "win/strings.h"
#include "win/threads.h"
#include "win/time.h"

LPTOP_LEVEL_EXCEPTION_FILTER g_previousExceptionFilter = nullptr;

namespace {

constexpr WCHAR kCaption[] = u"运行Quorla购物浏览器出现错误";
constexpr WCHAR kText[] =
    u"在运行Quorla购物浏览器时出现异常，程序和功能可能不完整，为避免您和更多\n网友再次遇到这个问题，请及时反馈该问题";

}  // namespace

CDbgHelper::CDbgHelper() : m_dumpPath{}, m_caption{}, m_text{}, m_dbghelp(nullptr), m_writeDump(nullptr) {
  if (GetModuleFileNameW(nullptr, m_dumpPath, MAX_PATH) != 0 && PathAppendW(m_dumpPath, u"..\\")) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char name[64];
    std::snprintf(name, sizeof name, "VXBrowser_dump_%s_%02d%02d%02d%02d%02d.dmp", "", now.wMonth, now.wDay,
                  now.wHour, now.wMinute, now.wSecond);
    WCHAR wideName[64];
    int i = 0;
    for (; name[i]; ++i) wideName[i] = static_cast<WCHAR>(name[i]);
    wideName[i] = 0;
    if (!PathAppendW(m_dumpPath, wideName)) m_dumpPath[0] = 0;
  } else {
    m_dumpPath[0] = 0;
  }
  m_dbghelp = LoadLibraryW(u"dbghelp.dll");
  if (m_dbghelp) m_writeDump = reinterpret_cast<MINIDUMPWRITEDUMP>(GetProcAddress(m_dbghelp, "MiniDumpWriteDump"));
  lstrcpynW(m_caption, kCaption, MAX_PATH);
  lstrcpynW(m_text, kText, 1024);
}

CDbgHelper::~CDbgHelper() {
  if (m_dbghelp) FreeLibrary(m_dbghelp);
}

CDbgHelper& GetDbgHelper() {
  static CDbgHelper helper;
  return helper;
}

bool CDbgHelper::WriteDump(EXCEPTION_POINTERS* pointers, LPCWSTR path) {
  if (!m_writeDump || !path || !path[0]) return false;
  HANDLE file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  MINIDUMP_EXCEPTION_INFORMATION exception{GetCurrentThreadId(), pointers, FALSE};
  BOOL written = m_writeDump(GetCurrentProcess(), GetCurrentProcessId(), file, MiniDumpNormal,
                             pointers ? &exception : nullptr, nullptr, nullptr);
  CloseHandle(file);
  return written != FALSE;
}

LONG CDbgHelper::TopLevelExceptionFilter(EXCEPTION_POINTERS* pointers) {
  // A fault while the dump is written does not come back here: the layer then
  // ends the process with this exception's code, as a dump not written.
  CDbgHelper& helper = GetDbgHelper();
  if (helper.WriteDump(pointers, helper.m_dumpPath)) MessageBoxW(nullptr, helper.m_text, helper.m_caption, MB_OK);
  const DWORD code = pointers && pointers->ExceptionRecord ? pointers->ExceptionRecord->ExceptionCode : 0;
  TerminateProcess(GetCurrentProcess(), code);
  return EXCEPTION_EXECUTE_HANDLER;
}

bool CDbgHelper::LockExceptionFilter() { return quorla::LockUnhandledExceptionFilter(); }

bool InstallCrashHandler() {
  CDbgHelper& helper = GetDbgHelper();
  if (!helper.DumpWriter()) return false;
  g_previousExceptionFilter = SetUnhandledExceptionFilter(&CDbgHelper::TopLevelExceptionFilter);
  CDbgHelper::LockExceptionFilter();
  return true;
}
