#include "framework/s_module.h"

#include "framework/module_loader.h"
#include "win/interlocked.h"
#include "win/strings.h"

namespace S_COM {

CSModule::CSModule(ClassEntry** table, std::size_t slots) : m_table(table), m_slots(slots) {
  InitializeCriticalSection(&m_lock);
}

CSModule::~CSModule() { DeleteCriticalSection(&m_lock); }

HRESULT CSModule::CreateInstance(LPCWSTR className, IUnknown* outer, REFIID iid, void** out) {
  if (!className || !out) return E_FAIL;
  const int length = lstrlenW(className);
  ClassEntry* match = nullptr;
  for (std::size_t slot = 0; slot < m_slots; ++slot) {
    ClassEntry* entry = m_table[slot];
    if (!entry || !entry->className) continue;
    // Case-blind over the requested name's length: a leading part of a class
    // name selects it, an empty name selects the first class.
    if (StrCmpNIW(entry->className, className, length) == 0) {
      match = entry;
      break;
    }
  }
  if (!match || !match->creator) return E_FAIL;
  if (!match->sharedInstance) return match->creator(outer, iid, out);

  EnterCriticalSection(&m_lock);
  HRESULT hr;
  if (match->cachedInstance) {
    hr = match->cachedInstance->QueryInterface(iid, out);
  } else {
    hr = match->creator(outer, iid, out);
    if (SUCCEEDED(hr)) {
      match->cachedInstance = static_cast<IUnknown*>(*out);
      match->cachedInstance->AddRef();
    }
  }
  LeaveCriticalSection(&m_lock);
  return hr;
}

LONG CSModule::Lock() { return InterlockedIncrement(&m_lockCount); }
LONG CSModule::Unlock() { return InterlockedDecrement(&m_lockCount); }

BOOL CSModule::CanUnloadNow() { return __atomic_load_n(&m_lockCount, __ATOMIC_SEQ_CST) <= 0 ? TRUE : FALSE; }

HRESULT CSModule::FreeUnusedModules() {
  UnloadUnusedModules(GetModuleLoader());
  return S_OK;
}

HRESULT CSModule::ReleaseSingletons() {
  for (std::size_t slot = 0; slot < m_slots; ++slot) {
    ClassEntry* entry = m_table[slot];
    if (!entry || !entry->sharedInstance) continue;
    EnterCriticalSection(&m_lock);
    IUnknown* instance = entry->cachedInstance;
    entry->cachedInstance = nullptr;
    LeaveCriticalSection(&m_lock);
    if (instance) instance->Release();
  }
  return S_OK;
}

}  // namespace S_COM
