#pragma once
// Creating objects by name: "Library.Class" loads "Library.dll" from the
// directory of the module that holds the calling code (at most once per
// calling module) and asks its module object for the class. Each module
// carries its own loader and its own map of loaded libraries; any thread may
// call. Lock order: the loader lock, then a library's module lock.
#include <map>
#include <string>

#include "win/base.h"
#include "win/critical_section.h"

namespace S_COM {
class ISModule;
}

struct ModuleEntry {
  S_COM::ISModule* module;
  HMODULE library;
  LONG useMark;
  WCHAR fileName[100];
};

class ModuleLoader {
 public:
  ModuleLoader();
  // The tear-down on an ordinary exit (or when the library holding this
  // loader is unloaded): empties the map and deletes the lock; it frees no
  // library and calls no module object.
  ~ModuleLoader();
  ModuleLoader(const ModuleLoader&) = delete;
  ModuleLoader& operator=(const ModuleLoader&) = delete;

  CRITICAL_SECTION lock;
  // Library file name to entry; the key keeps its letter case.
  std::map<std::u16string, ModuleEntry*> libraries;
};

// The calling module's loader, made once on first use.
ModuleLoader* GetModuleLoader();

// Creates class of library (name "Library.Class") and asks it for iid. On
// success out holds the interface with one reference for the caller; every
// failure gives E_FAIL.
HRESULT CreateObjectByName(REFIID iid, LPCWSTR name, ModuleLoader* loader, void** out);

// Frees the libraries of the map whose module can unload now.
HRESULT UnloadUnusedModules(ModuleLoader* loader);

// Typed shorthand over CreateObjectByName with the calling module's loader.
template <class I>
HRESULT CreateObject(LPCWSTR name, I** out) {
  return CreateObjectByName(InterfaceId<I>::value(), name, GetModuleLoader(), reinterpret_cast<void**>(out));
}
