// The single export of a component library: its module object. Compiled into
// each library (not into programs), next to the library's class table.
#include "framework/s_module.h"

extern "C" WINAPI_EXPORT S_COM::ISModule* GetModuleInstance() { return &S_COM::GetThisModule(); }
