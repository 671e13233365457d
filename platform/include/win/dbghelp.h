#pragma once
// The dump writer of the library "dbghelp.dll", loaded by name at run time.
// MiniDumpWriteDump writes a minidump of this process (the MDMP header and
// stream directory, system information, the process identifier, the thread list with the calling or
// faulting thread's registers and stack memory, the module list, the
// exception, the memory list and the host's memory map) that standard
// minidump readers take. Safe inside the crash filter: it neither allocates
// nor locks, and reads memory in a way that cannot fault. Only the current
// process can be written; threads other than the one named are not listed.
// The dump is one of a Linux process (its platform, its ELF modules with
// their build identifiers): as readers of such dumps expect, the exception
// stream's code is the host's signal (SIGSEGV for an access violation or a
// stack overflow, SIGBUS, SIGILL, SIGFPE, SIGABRT), and its flags hold the
// platform's exception code.
#include "win/exceptions.h"
#include "win/types.h"

enum MINIDUMP_TYPE : DWORD {
  MiniDumpNormal = 0x00000000,
  MiniDumpWithDataSegs = 0x00000001,
  MiniDumpWithFullMemory = 0x00000002,
};

#pragma pack(push, 4)
struct MINIDUMP_EXCEPTION_INFORMATION {
  DWORD ThreadId;
  PEXCEPTION_POINTERS ExceptionPointers;
  BOOL ClientPointers;
};
#pragma pack(pop)
using PMINIDUMP_EXCEPTION_INFORMATION = MINIDUMP_EXCEPTION_INFORMATION*;

struct MINIDUMP_USER_STREAM_INFORMATION;
struct MINIDUMP_CALLBACK_INFORMATION;
using PMINIDUMP_USER_STREAM_INFORMATION = MINIDUMP_USER_STREAM_INFORMATION*;
using PMINIDUMP_CALLBACK_INFORMATION = MINIDUMP_CALLBACK_INFORMATION*;

using MINIDUMPWRITEDUMP = BOOL (*)(HANDLE process, DWORD processId, HANDLE file, MINIDUMP_TYPE dumpType,
                                   PMINIDUMP_EXCEPTION_INFORMATION exception,
                                   PMINIDUMP_USER_STREAM_INFORMATION userStreams,
                                   PMINIDUMP_CALLBACK_INFORMATION callback);

// The minidump file format: the parts this writer emits and readers check.
constexpr DWORD MINIDUMP_SIGNATURE = 0x504D444Du;  // "MDMP"
constexpr DWORD MINIDUMP_VERSION = 42899;
enum MINIDUMP_STREAM_TYPE : DWORD {
  ThreadListStream = 3,
  ModuleListStream = 4,
  MemoryListStream = 5,
  ExceptionStream = 6,
  SystemInfoStream = 7,
  MiscInfoStream = 15,
  LinuxMapsStream = 0x47670009,  // the host's /proc/self/maps text
};
