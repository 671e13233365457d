// Modules over the dynamic loader. An HMODULE is the address where the
// module's ELF file is mapped; the loader's own handles are kept in a table so
// that FreeLibrary releases exactly what LoadLibraryW took.
#include <dlfcn.h>
#include <link.h>
#include <sys/auxv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <map>
#include <mutex>

#include "host_paths.h"
#include "utf.h"
#include "win/last_error.h"
#include "win/modules.h"
#include "win/strings.h"

namespace {

struct Loaded {
  void* handle;
  long count;
};

std::mutex& TableLock() {
  static std::mutex lock;
  return lock;
}
std::map<HMODULE, Loaded>& Table() {
  static auto* table = new std::map<HMODULE, Loaded>;  // lives until the process ends
  return *table;
}

HMODULE BaseOf(const void* address) {
  Dl_info info;
  if (!address || ::dladdr(address, &info) == 0 || !info.dli_fbase) return nullptr;
  return static_cast<HMODULE>(info.dli_fbase);
}

HMODULE ProgramModule() {
  static HMODULE program = BaseOf(reinterpret_cast<const void*>(::getauxval(AT_PHDR)));
  return program;
}

// The directory of the layer's own shared object.
std::string LayerDirectory() {
  Dl_info info;
  if (::dladdr(reinterpret_cast<const void*>(&LoadLibraryW), &info) == 0 || !info.dli_fname) return {};
  char resolved[PATH_MAX];
  if (!::realpath(info.dli_fname, resolved)) return {};
  return quorla::DirectoryOf(resolved);
}

std::string AbsoluteModulePath(HMODULE module) {
  if (!module || module == ProgramModule()) return quorla::ProgramFilePath();
  Dl_info info;
  if (::dladdr(module, &info) == 0 || !info.dli_fname || !*info.dli_fname) return {};
  std::string path = info.dli_fname;
  if (path[0] != '/') {
    char resolved[PATH_MAX];
    if (!::realpath(path.c_str(), resolved)) return {};
    path = resolved;
  }
  return path;
}

std::string ResolveLibraryPath(const std::string& name) {
  using namespace quorla;
  std::string host = ToHostSeparators(name);
  if (host.find('/') != std::string::npos) {
    if (host[0] != '/') {
      char cwd[PATH_MAX];
      if (!::getcwd(cwd, sizeof cwd)) return {};
      host = std::string(cwd) + "/" + host;
    }
    return FindFileIgnoringCase(FoldDotSegments(host));
  }
  for (const std::string& dir : {DirectoryOf(ProgramFilePath()), LayerDirectory()}) {
    if (dir.empty()) continue;
    std::string found = FindFileIgnoringCase(dir + "/" + host);
    if (!found.empty()) return found;
  }
  return {};
}

}  // namespace

HMODULE LoadLibraryW(LPCWSTR fileName) {
  if (!fileName || !*fileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::string path = ResolveLibraryPath(quorla::Utf16ToUtf8(fileName));
  struct stat st;
  if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  // Not under the table lock: the library's static constructors may load
  // libraries themselves.
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  link_map* map = nullptr;
  if (::dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || !map) {
    ::dlclose(handle);
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  HMODULE base = BaseOf(map->l_ld);
  if (!base) {
    ::dlclose(handle);
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  std::lock_guard<std::mutex> guard(TableLock());
  auto [it, inserted] = Table().try_emplace(base, Loaded{handle, 0});
  ++it->second.count;
  return base;
}

BOOL FreeLibrary(HMODULE module) {
  void* handle = nullptr;
  {
    std::lock_guard<std::mutex> guard(TableLock());
    auto it = Table().find(module);
    if (it == Table().end()) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    handle = it->second.handle;
    if (--it->second.count == 0) Table().erase(it);
  }
  ::dlclose(handle);
  return TRUE;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR procName) {
  if (!procName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!module) module = ProgramModule();
  void* handle = nullptr;
  bool ownHandle = false;
  {
    std::lock_guard<std::mutex> guard(TableLock());
    auto it = Table().find(module);
    if (it != Table().end()) handle = it->second.handle;
  }
  if (!handle) {
    if (module == ProgramModule()) {
      handle = ::dlopen(nullptr, RTLD_LAZY);
    } else {
      Dl_info info;
      if (::dladdr(module, &info) != 0 && info.dli_fname && BaseOf(module) == module) {
        handle = ::dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
      }
    }
    ownHandle = handle != nullptr;
  }
  void* symbol = handle ? ::dlsym(handle, procName) : nullptr;
  // dlsym also searches what the module depends on; only the module's own
  // exports count.
  if (symbol && BaseOf(symbol) != module) symbol = nullptr;
  if (ownHandle) ::dlclose(handle);
  if (!symbol) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<FARPROC>(symbol);
}

HMODULE GetModuleHandleW(LPCWSTR moduleName) {
  if (!moduleName) return ProgramModule();
  std::string wanted = quorla::ToHostSeparators(quorla::Utf16ToUtf8(moduleName));
  bool withPath = wanted.find('/') != std::string::npos;
  struct Search {
    std::string wanted;
    bool withPath;
    HMODULE found = nullptr;
  } search{wanted, withPath};
  ::dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* data) -> int {
        auto* s = static_cast<Search*>(data);
        if (!info->dlpi_name || !*info->dlpi_name) return 0;
        std::string name = info->dlpi_name;
        std::string candidate = s->withPath ? name : name.substr(name.rfind('/') + 1);
        if (lstrcmpiW(quorla::Utf8ToUtf16(candidate).c_str(), quorla::Utf8ToUtf16(s->wanted).c_str()) != 0) return 0;
        for (int i = 0; i < info->dlpi_phnum; ++i) {
          if (info->dlpi_phdr[i].p_type == PT_LOAD) {
            s->found = BaseOf(reinterpret_cast<const void*>(info->dlpi_addr + info->dlpi_phdr[i].p_vaddr));
            return 1;
          }
        }
        return 0;
      },
      &search);
  if (!search.found) SetLastError(ERROR_MOD_NOT_FOUND);
  return search.found;
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size) {
  std::string path = AbsoluteModulePath(module);
  if (path.empty()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  if (!fileName || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::u16string wide = quorla::Utf8ToUtf16(path);
  if (wide.size() >= size) {
    lstrcpynW(fileName, wide.c_str(), static_cast<int>(size));
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  lstrcpynW(fileName, wide.c_str(), static_cast<int>(size));
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(wide.size());
}

SIZE_T VirtualQuery(LPCVOID address, MEMORY_BASIC_INFORMATION* info, SIZE_T length) {
  if (!info || length < sizeof(MEMORY_BASIC_INFORMATION)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const long page = ::sysconf(_SC_PAGESIZE);
  *info = {};
  info->BaseAddress = reinterpret_cast<PVOID>(reinterpret_cast<ULONG_PTR>(address) & ~static_cast<ULONG_PTR>(page - 1));
  info->RegionSize = static_cast<SIZE_T>(page);
  HMODULE base = BaseOf(address);
  info->AllocationBase = base;
  info->State = MEM_COMMIT;
  info->Type = base ? MEM_IMAGE : 0;
  return sizeof(MEMORY_BASIC_INFORMATION);
}
