#pragma once
// Objects of the deployed libraries, loaded from the output directory as
// the programs load them, so that Pelmor finds Gravik beside itself.
#include <string>

#include "framework/com_ptr.h"
#include "framework/s_module.h"
#include "win/modules.h"

inline S_COM::ISModule* DeployedModule(const char* file) {
  std::string path = std::string(QUORLA_BIN_DIR) + "/" + file;
  std::u16string wide(path.begin(), path.end());
  HMODULE library = LoadLibraryW(wide.c_str());
  if (!library) return nullptr;
  auto entry = reinterpret_cast<S_COM::ISModule* (*)()>(GetProcAddress(library, "GetModuleInstance"));
  return entry ? entry() : nullptr;
}

template <class I>
S_COM::ComPtr<I> MakeDeployed(const char* file, LPCWSTR className) {
  S_COM::ComPtr<I> object;
  if (S_COM::ISModule* module = DeployedModule(file))
    module->CreateInstance(className, nullptr, InterfaceId<I>::value(), object.PutVoid());
  return object;
}
