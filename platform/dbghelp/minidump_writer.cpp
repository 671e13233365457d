// dbghelp.dll: MiniDumpWriteDump for this process, written with plain system
// calls from fixed buffers, so that the crash filter can call it inside a
// signal handler. One dump at a time.
#include <cpuid.h>
#include <elf.h>  // ELFMAG
#include <errno.h>
#include <sched.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cstring>
#include <ctime>

#include "dump_file.h"
#include "elf_build_id.h"
#include "minidump_format.h"
#include "self_memory.h"
#include "win/dbghelp.h"
#include "win/files.h"
#include "win/last_error.h"

namespace {

using namespace dbghelp;

constexpr size_t kMaxModules = 1024;
constexpr size_t kLargestStack = 256 * 1024;
constexpr size_t kRedZone = 128;  // bytes below the stack pointer that leaf functions may use
constexpr uint32_t kStreamCount = 7;

struct ModuleInfo {
  uint64_t base;
  uint64_t end;
  size_t nameOffset;
  uint8_t buildId[32];
  uint32_t buildIdSize;
};

// The dump's working memory, static so that nothing is allocated.
ModuleInfo g_modules[kMaxModules];
size_t g_moduleCount;
char g_names[128 * 1024];
size_t g_namesUsed;
char g_copy[16384];
CONTEXT g_context;
EXCEPTION_RECORD g_record;

// Linux minidumps carry the host's signal as the exception code: that is what
// their readers expect (a debugger stops with "signal SIGSEGV"). The
// platform's code goes into the exception flags, so the dump keeps it too.
uint32_t HostSignalOf(uint32_t code) {
  switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_STACK_OVERFLOW:
      return SIGSEGV;
    case EXCEPTION_IN_PAGE_ERROR:
      return SIGBUS;
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
      return SIGILL;
    case STATUS_FATAL_APP_EXIT:
      return SIGABRT;
    default:
      return code >= EXCEPTION_ARRAY_BOUNDS_EXCEEDED && code <= EXCEPTION_INT_OVERFLOW ? SIGFPE : code;
  }
}

const char* NameOf(const ModuleInfo& module) { return g_names + module.nameOffset; }

// Groups the mappings of each mapped ELF file into one module.
void CollectModule(const Mapping& mapping, void*) {
  if (mapping.path[0] != '/' || mapping.inode == 0) return;
  if (g_moduleCount > 0) {
    ModuleInfo& last = g_modules[g_moduleCount - 1];
    if (mapping.offset != 0 && mapping.start >= last.end && std::strcmp(NameOf(last), mapping.path) == 0) {
      last.end = mapping.end;
      return;
    }
  }
  const size_t nameSize = std::strlen(mapping.path) + 1;
  if (mapping.offset != 0 || !mapping.readable || g_moduleCount == kMaxModules ||
      g_namesUsed + nameSize > sizeof g_names) {
    return;
  }
  char magic[4];
  if (!ReadSelfMemory(mapping.start, magic, sizeof magic) || std::memcmp(magic, ELFMAG, SELFMAG) != 0) return;
  ModuleInfo& module = g_modules[g_moduleCount++];
  module.base = mapping.start;
  module.end = mapping.end;
  module.nameOffset = g_namesUsed;
  std::memcpy(g_names + g_namesUsed, mapping.path, nameSize);
  g_namesUsed += nameSize;
  module.buildIdSize = ReadBuildId(module.base, module.buildId);
}

struct StackRange {
  uint64_t sp;
  uint64_t begin;
  uint64_t end;
  bool inside;
};

// The stack memory worth keeping: from just below the stack pointer upwards,
// in the mapping that holds it, or (when the pointer ran past the stack's
// end, as in an overflow) in the mapping right above it.
void FindStack(const Mapping& mapping, void* context) {
  auto* range = static_cast<StackRange*>(context);
  if (!mapping.readable || range->inside) return;
  uint64_t begin;
  if (mapping.start <= range->sp && range->sp < mapping.end) {
    begin = range->sp - kRedZone >= mapping.start ? range->sp - kRedZone : mapping.start;
    range->inside = true;
  } else if (mapping.start > range->sp && mapping.start - range->sp <= 65536 && range->end == 0) {
    begin = mapping.start;
  } else {
    return;
  }
  range->begin = begin;
  range->end = mapping.end - begin > kLargestStack ? begin + kLargestStack : mapping.end;
}

// Copies memory into the dump, zeros where it cannot be read.
uint32_t WriteMemory(DumpFile& dump, uint64_t begin, uint64_t end) {
  uint32_t at = dump.Here();
  for (uint64_t p = begin; p < end;) {
    size_t size = end - p < sizeof g_copy ? static_cast<size_t>(end - p) : sizeof g_copy;
    if (!ReadSelfMemory(p, g_copy, size)) std::memset(g_copy, 0, size);
    dump.Write(g_copy, size);
    p += size;
  }
  return at;
}

Directory WriteSystemInfo(DumpFile& dump) {
  SystemInfo info{};
  struct utsname host{};
  ::uname(&host);
  static char description[sizeof host.release + sizeof host.version + sizeof host.machine + 8];
  description[0] = 0;
  std::strcat(description, "Linux ");
  std::strcat(description, host.release);
  std::strcat(description, " ");
  std::strcat(description, host.version);
  std::strcat(description, " ");
  std::strcat(description, host.machine);
  info.CSDVersionRva = dump.WriteString(description);
  const char* p = host.release;
  uint32_t* parts[] = {&info.MajorVersion, &info.MinorVersion, &info.BuildNumber};
  for (uint32_t* part : parts) {
    for (; *p >= '0' && *p <= '9'; ++p) *part = *part * 10 + static_cast<uint32_t>(*p - '0');
    if (*p == '.') ++p;
  }
  info.PlatformId = kPlatformLinux;
#if defined(__x86_64__)
  info.ProcessorArchitecture = kArchitectureAmd64;
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (__get_cpuid(0, &eax, &ebx, &ecx, &edx)) {
    info.VendorId[0] = ebx;
    info.VendorId[1] = edx;
    info.VendorId[2] = ecx;
  }
  if (__get_cpuid(1, &eax, &ebx, &ecx, &edx)) {
    info.VersionInformation = eax;
    info.FeatureInformation = edx;
    unsigned family = (eax >> 8) & 0xF;
    unsigned model = (eax >> 4) & 0xF;
    if (family == 0xF) family += (eax >> 20) & 0xFF;
    if (family == 0x6 || family >= 0xF) model |= ((eax >> 16) & 0xF) << 4;
    info.ProcessorLevel = static_cast<uint16_t>(family);
    info.ProcessorRevision = static_cast<uint16_t>((model << 8) | (eax & 0xF));
  }
  if (__get_cpuid(0x80000001, &eax, &ebx, &ecx, &edx)) info.AMDExtendedCpuFeatures = edx;
#else
  info.ProcessorArchitecture = kArchitectureUnknown;
#endif
  cpu_set_t cpus;
  CPU_ZERO(&cpus);
  int count = ::syscall(SYS_sched_getaffinity, 0, sizeof cpus, &cpus) > 0 ? CPU_COUNT(&cpus) : 1;
  info.NumberOfProcessors = static_cast<uint8_t>(count > 255 ? 255 : count);
  dump.Align(4);
  uint32_t at = dump.Write(&info, sizeof info);
  return {SystemInfoStream, {sizeof info, at}};
}

Directory WriteModuleList(DumpFile& dump) {
  g_moduleCount = 0;
  g_namesUsed = 0;
  VisitSelfMappings(CollectModule, nullptr);
  static uint32_t nameRva[kMaxModules];  // static: the alternate signal stack is small
  static LocationDescriptor cv[kMaxModules];
  for (size_t i = 0; i < g_moduleCount; ++i) {
    nameRva[i] = dump.WriteString(NameOf(g_modules[i]));
    cv[i] = {};
    if (g_modules[i].buildIdSize > 0) {
      dump.Align(4);
      cv[i].Rva = dump.Write(&kCodeViewElf, sizeof kCodeViewElf);
      dump.Write(g_modules[i].buildId, g_modules[i].buildIdSize);
      cv[i].DataSize = static_cast<uint32_t>(sizeof kCodeViewElf + g_modules[i].buildIdSize);
    }
  }
  dump.Align(4);
  const auto count = static_cast<uint32_t>(g_moduleCount);
  uint32_t at = dump.Write(&count, sizeof count);
  for (size_t i = 0; i < g_moduleCount; ++i) {
    Module module{};
    module.BaseOfImage = g_modules[i].base;
    const uint64_t size = g_modules[i].end - g_modules[i].base;
    module.SizeOfImage = size > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(size);
    module.ModuleNameRva = nameRva[i];
    module.VersionInfo[0] = 0xFEEF04BD;  // the fixed file information's signature; no version is known
    module.CvRecord = cv[i];
    dump.Write(&module, sizeof module);
  }
  return {ModuleListStream, {static_cast<uint32_t>(sizeof count + g_moduleCount * sizeof(Module)), at}};
}

bool SinkToDump(const char* bytes, size_t size, void* dump) {
  static_cast<DumpFile*>(dump)->Write(bytes, size);
  return static_cast<DumpFile*>(dump)->Ok();
}

}  // namespace

extern "C" WINAPI_EXPORT BOOL MiniDumpWriteDump(HANDLE process, DWORD processId, HANDLE file, MINIDUMP_TYPE dumpType,
                                                PMINIDUMP_EXCEPTION_INFORMATION exception,
                                                PMINIDUMP_USER_STREAM_INFORMATION,
                                                PMINIDUMP_CALLBACK_INFORMATION) {
  (void)process;
  const int fd = quorla::FileDescriptorOf(file);
  if (fd < 0 || processId != static_cast<DWORD>(::getpid())) {
    SetLastError(fd < 0 ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // The exception's pointers are read with care: bad ones must not fault here.
  bool haveException = false;
  EXCEPTION_POINTERS pointers{};
  if (exception && exception->ExceptionPointers &&
      ReadSelfMemory(reinterpret_cast<uint64_t>(exception->ExceptionPointers), &pointers, sizeof pointers) &&
      ReadSelfMemory(reinterpret_cast<uint64_t>(pointers.ExceptionRecord), &g_record, sizeof g_record) &&
      ReadSelfMemory(reinterpret_cast<uint64_t>(pointers.ContextRecord), &g_context, sizeof g_context)) {
    haveException = true;
  } else {
    RtlCaptureContext(&g_context);
  }
  const uint32_t threadId = haveException ? exception->ThreadId : static_cast<uint32_t>(::syscall(SYS_gettid));

  DumpFile dump(fd);
  Directory directory[kStreamCount] = {};
  uint32_t streams = 0;
  dump.Write(directory, sizeof(Header));  // header and directory are written last, here
  dump.Write(directory, sizeof directory);

  directory[streams++] = WriteSystemInfo(dump);

  // The process's identifier, which readers otherwise cannot know.
  const uint32_t misc[6] = {sizeof misc, 1 /* the process identifier is valid */, static_cast<uint32_t>(::getpid())};
  directory[streams++] = {MiscInfoStream, {sizeof misc, dump.Write(misc, sizeof misc)}};

  dump.Align(16);
  const uint32_t contextRva = dump.Write(&g_context, sizeof g_context);
  StackRange stack{g_context.Rsp, 0, 0, false};
  VisitSelfMappings(FindStack, &stack);
  const uint32_t stackRva = WriteMemory(dump, stack.begin, stack.end);
  const MemoryDescriptor stackMemory{stack.begin, {static_cast<uint32_t>(stack.end - stack.begin), stackRva}};

  Thread thread{};
  thread.ThreadId = threadId;
  thread.Stack = stackMemory;
  thread.ThreadContext = {sizeof g_context, contextRva};
  const uint32_t one = 1;
  dump.Align(4);
  uint32_t at = dump.Write(&one, sizeof one);
  dump.Write(&thread, sizeof thread);
  directory[streams++] = {ThreadListStream, {sizeof one + sizeof thread, at}};

  const uint32_t ranges = stack.end > stack.begin ? 1 : 0;
  at = dump.Write(&ranges, sizeof ranges);
  if (ranges) dump.Write(&stackMemory, sizeof stackMemory);
  directory[streams++] = {MemoryListStream, {static_cast<uint32_t>(sizeof ranges + ranges * sizeof stackMemory), at}};

  if (haveException) {
    ExceptionInfo record{};
    record.ThreadId = threadId;
    record.Exception.ExceptionCode = HostSignalOf(g_record.ExceptionCode);
    record.Exception.ExceptionFlags = g_record.ExceptionCode;
    record.Exception.ExceptionRecord = reinterpret_cast<uint64_t>(g_record.ExceptionRecord);
    record.Exception.ExceptionAddress = reinterpret_cast<uint64_t>(g_record.ExceptionAddress);
    record.Exception.NumberParameters =
        g_record.NumberParameters < EXCEPTION_MAXIMUM_PARAMETERS ? g_record.NumberParameters : EXCEPTION_MAXIMUM_PARAMETERS;
    for (uint32_t i = 0; i < record.Exception.NumberParameters; ++i) {
      record.Exception.ExceptionInformation[i] = g_record.ExceptionInformation[i];
    }
    record.ThreadContext = thread.ThreadContext;
    at = dump.Write(&record, sizeof record);
    directory[streams++] = {ExceptionStream, {sizeof record, at}};
  }

  directory[streams++] = WriteModuleList(dump);

  at = dump.Here();
  const size_t mapsSize = CopySelfMaps(SinkToDump, &dump);
  directory[streams++] = {LinuxMapsStream, {static_cast<uint32_t>(mapsSize), at}};

  Header header{};
  header.Signature = MINIDUMP_SIGNATURE;
  header.Version = MINIDUMP_VERSION;
  header.NumberOfStreams = streams;
  header.StreamDirectoryRva = sizeof header;
  header.TimeDateStamp = static_cast<uint32_t>(::time(nullptr));
  header.Flags = dumpType;
  dump.WriteAt(sizeof header, directory, streams * sizeof(Directory));
  dump.WriteAt(0, &header, sizeof header);
  dump.Truncate();
  if (!dump.Ok()) {
    SetLastError(ERROR_WRITE_FAULT);
    return FALSE;
  }
  return TRUE;
}
