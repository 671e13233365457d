#pragma once
// The crash-dump writer both programs install at start-up: when an exception
// nothing handles ends the program, it writes a minidump next to the program
// file ("VXBrowser_dump__MMDDhhmmss.dmp", the local time at which the writer
// was made), tells the user in a message box and ends the process with the
// exception code.
//
// One process-wide object (GetDbgHelper), made on the start-up thread before
// any worker exists; the filter then runs on whichever thread crashed, inside
// the layer's signal handler, and calls only what is safe there. A process
// writes at most one dump; two processes started in the same second share
// the dump's name, and the later dump replaces the earlier one.
#include "win/dbghelp.h"
#include "win/exceptions.h"
#include "win/types.h"

class CDbgHelper {
 public:
  CDbgHelper();
  virtual ~CDbgHelper();
  CDbgHelper(const CDbgHelper&) = delete;
  CDbgHelper& operator=(const CDbgHelper&) = delete;

  // The unhandled-exception filter: writes the dump, shows the message box
  // when the dump was written, ends the process with the exception code.
  static LONG TopLevelExceptionFilter(EXCEPTION_POINTERS* pointers);
  // Writes a dump of this process to path; true when it was written.
  bool WriteDump(EXCEPTION_POINTERS* pointers, LPCWSTR path);
  // Makes the platform's SetUnhandledExceptionFilter inert for the rest of
  // the process, so that no library can replace the filter.
  static bool LockExceptionFilter();

  LPCWSTR DumpPath() const { return m_dumpPath; }
  // Null when dbghelp.dll or its MiniDumpWriteDump is missing.
  MINIDUMPWRITEDUMP DumpWriter() const { return m_writeDump; }

 private:
  WCHAR m_dumpPath[MAX_PATH];
  WCHAR m_caption[MAX_PATH];
  WCHAR m_text[1024];
  HMODULE m_dbghelp;
  MINIDUMPWRITEDUMP m_writeDump;
};

// The process-wide writer, made at the first call.
CDbgHelper& GetDbgHelper();

// What each program's start-up does: takes the writer and, only when its dump
// writer was found, sets its filter and locks it. Returns whether the filter
// was installed.
bool InstallCrashHandler();

// The filter that was in place before InstallCrashHandler set its own.
extern LPTOP_LEVEL_EXCEPTION_FILTER g_previousExceptionFilter;
