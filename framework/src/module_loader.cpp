#include "framework/module_loader.h"

#include <new>

#include "framework/s_module.h"
#include "win/modules.h"
#include "win/strings.h"

namespace {

struct ParsedObjectName {
  WCHAR key[MAX_PATH];
  WCHAR libraryFile[100];
  WCHAR className[100];
  WCHAR fullPath[MAX_PATH];
};

using GetModuleInstanceFunction = S_COM::ISModule* (*)();

bool IsSeparator(WCHAR c) { return c == u'/' || c == u'\\'; }

// The module that holds this code: the calling module, since the framework is
// compiled into every module.
HMODULE OwnModule() {
  MEMORY_BASIC_INFORMATION info;
  if (VirtualQuery(reinterpret_cast<LPCVOID>(&OwnModule), &info, sizeof info) == 0) return nullptr;
  return static_cast<HMODULE>(info.AllocationBase);
}

bool ParseName(LPCWSTR name, ParsedObjectName& parsed, WCHAR (&ownPath)[MAX_PATH]) {
  const WCHAR* dot = StrChrW(name, u'.');
  if (!dot) return false;

  // Library file: up to 99 characters before the dot, then as much of ".dll"
  // as still fits; a name that long loses its extension and will not load.
  int libraryLength = static_cast<int>(dot - name);
  if (libraryLength > 99) libraryLength = 99;
  lstrcpynW(parsed.libraryFile, name, libraryLength + 1);
  const WCHAR* extension = u".dll";
  for (int i = 0; extension[i] && libraryLength < 99; ++i) parsed.libraryFile[libraryLength++] = extension[i];
  parsed.libraryFile[libraryLength] = 0;

  lstrcpynW(parsed.className, dot + 1, 100);

  HMODULE own = OwnModule();
  if (!own) return false;
  DWORD length = GetModuleFileNameW(own, ownPath, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;

  int cut = -1;
  for (int i = 0; ownPath[i]; ++i) {
    if (IsSeparator(ownPath[i])) cut = i;
  }
  if (cut < 0) return false;
  const int fileLength = lstrlenW(parsed.libraryFile);
  if (cut + 1 + fileLength > MAX_PATH - 1) return false;
  lstrcpynW(parsed.fullPath, ownPath, cut + 2);
  lstrcpyW(parsed.fullPath + cut + 1, parsed.libraryFile);

  lstrcpynW(parsed.key, parsed.libraryFile, MAX_PATH);
  return true;
}

S_COM::ISModule* ModuleObjectOf(HMODULE library) {
  auto entry = reinterpret_cast<GetModuleInstanceFunction>(GetProcAddress(library, "GetModuleInstance"));
  return entry ? entry() : nullptr;
}

HRESULT LoadModule(const ParsedObjectName& parsed, ModuleLoader* loader, REFIID iid, void** out) {
  HMODULE library = LoadLibraryW(parsed.fullPath);
  if (!library) return E_FAIL;
  S_COM::ISModule* module = ModuleObjectOf(library);
  if (!module) {
    FreeLibrary(library);
    return E_FAIL;
  }
  auto* entry = new (std::nothrow) ModuleEntry{module, library, 1, {}};
  if (!entry) {
    FreeLibrary(library);
    return E_FAIL;
  }
  lstrcpynW(entry->fileName, parsed.libraryFile, 100);

  EnterCriticalSection(&loader->lock);
  const bool inserted = loader->libraries.emplace(parsed.key, entry).second;
  LeaveCriticalSection(&loader->lock);
  if (!inserted) {
    delete entry;
    entry = nullptr;
  }

  if (SUCCEEDED(module->CreateInstance(parsed.className, nullptr, iid, out))) return S_OK;

  if (inserted) {
    EnterCriticalSection(&loader->lock);
    // Another thread may have found the entry meanwhile and made a live object
    // from it: then the library must stay, with its entry.
    if (!module->CanUnloadNow()) {
      LeaveCriticalSection(&loader->lock);
      return E_FAIL;
    }
    auto it = loader->libraries.find(parsed.key);
    if (it != loader->libraries.end() && it->second == entry) loader->libraries.erase(it);
    LeaveCriticalSection(&loader->lock);
    delete entry;
  }
  FreeLibrary(library);
  return E_FAIL;
}

}  // namespace

ModuleLoader::ModuleLoader() { InitializeCriticalSection(&lock); }

ModuleLoader::~ModuleLoader() {
  EnterCriticalSection(&lock);
  for (auto& [key, entry] : libraries) delete entry;
  libraries.clear();
  LeaveCriticalSection(&lock);
  DeleteCriticalSection(&lock);
}

ModuleLoader* GetModuleLoader() {
  // Made once even when several threads ask first at the same time.
  static ModuleLoader loader;
  return &loader;
}

HRESULT CreateObjectByName(REFIID iid, LPCWSTR name, ModuleLoader* loader, void** out) {
  if (!name || !out || !loader) return E_FAIL;
  ParsedObjectName parsed = {};
  WCHAR ownPath[MAX_PATH] = {};
  if (!ParseName(name, parsed, ownPath)) return E_FAIL;

  EnterCriticalSection(&loader->lock);
  auto it = loader->libraries.find(parsed.key);
  if (it != loader->libraries.end() && it->second->module &&
      SUCCEEDED(it->second->module->CreateInstance(parsed.className, nullptr, iid, out))) {
    LeaveCriticalSection(&loader->lock);
    return S_OK;
  }
  LeaveCriticalSection(&loader->lock);

  if (StrCmpIW(parsed.fullPath, ownPath) == 0) {
    S_COM::ISModule* own = ModuleObjectOf(OwnModule());
    if (own && SUCCEEDED(own->CreateInstance(parsed.className, nullptr, iid, out))) return S_OK;
  }

  return LoadModule(parsed, loader, iid, out);
}

HRESULT UnloadUnusedModules(ModuleLoader* loader) {
  if (!loader) return S_OK;
  EnterCriticalSection(&loader->lock);
  for (auto it = loader->libraries.begin(); it != loader->libraries.end();) {
    ModuleEntry* entry = it->second;
    if (entry->module && entry->module->CanUnloadNow()) {
      entry->module->FreeUnusedModules();
      if (entry->library) FreeLibrary(entry->library);
      it = loader->libraries.erase(it);
      delete entry;
    } else {
      ++it;
    }
  }
  LeaveCriticalSection(&loader->lock);
  return S_OK;
}
