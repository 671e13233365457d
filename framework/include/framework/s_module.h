#pragma once
// The module object: one per component library, behind the library's single
// export GetModuleInstance. It owns the class table, creates objects by class
// name, counts the library's live objects and keeps one cached instance of
// each class marked as shared. Any thread may call it; the module lock guards
// the cached instances only, and is re-entrant.
#include <cstddef>
#include <iterator>

#include "win/base.h"
#include "win/critical_section.h"

namespace S_COM {

// Operations in this slot order; no IUnknown part, not reference counted.
class ISModule {
 public:
  virtual HRESULT CreateInstance(LPCWSTR className, IUnknown* outer, REFIID iid, void** out) = 0;
  virtual LONG Lock() = 0;
  virtual LONG Unlock() = 0;
  virtual BOOL CanUnloadNow() = 0;
  virtual HRESULT FreeUnusedModules() = 0;
  virtual HRESULT ReleaseSingletons() = 0;

 protected:
  ~ISModule() = default;
};

using CreatorFunction = HRESULT (*)(IUnknown* outer, REFIID iid, void** out);

struct ClassEntry {
  LPCWSTR className;
  CreatorFunction creator;
  bool sharedInstance;
  IUnknown* cachedInstance;  // written only under the module lock
};

class CSModule final : public ISModule {
 public:
  // table: slot 0 is always null; null slots are skipped.
  CSModule(ClassEntry** table, std::size_t slots);
  // Runs when the library's static objects are torn down.
  ~CSModule();
  CSModule(const CSModule&) = delete;
  CSModule& operator=(const CSModule&) = delete;

  HRESULT CreateInstance(LPCWSTR className, IUnknown* outer, REFIID iid, void** out) override;
  LONG Lock() override;
  LONG Unlock() override;
  BOOL CanUnloadNow() override;
  HRESULT FreeUnusedModules() override;
  HRESULT ReleaseSingletons() override;

 private:
  ClassEntry** m_table;
  std::size_t m_slots;
  LONG m_lockCount = 0;
  CRITICAL_SECTION m_lock;
};

// The module object of the library this code is compiled into. Each library
// defines it next to its class table (see S_COM_DEFINE_MODULE); the
// framework's objects lock it for their lifetime.
CSModule& GetThisModule();

}  // namespace S_COM

// Defines GetThisModule over a class table given as a list of ClassEntry
// pointers, slot 0 first (null).
#define S_COM_DEFINE_MODULE(...)                                    \
  namespace S_COM {                                                 \
  CSModule& GetThisModule() {                                       \
    static ClassEntry* table[] = {__VA_ARGS__};                     \
    static CSModule module(table, std::size(table));                \
    return module;                                                  \
  }                                                                 \
  }
