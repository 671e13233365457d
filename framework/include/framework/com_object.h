#pragma once
// Component objects: a class T derives from CSComObjectRoot<T> and from its
// interfaces and declares an interface map; it is only ever instantiated as
// CSAggregateObject<T>, which adds reference counting, interface lookup,
// optional aggregation by an outer object, and a lock on the library's module
// object for the object's lifetime.
//
// Reference counts are atomic, since some objects (shared instances,
// asynchronous results) are held by several threads at once. Nothing is
// thrown across an interface: creation failures come back as HRESULTs.
#include <cstddef>
#include <new>

#include "framework/s_module.h"
#include "win/interlocked.h"

namespace S_COM {

// Interface map entry kinds.
constexpr DWORD kInterfaceEntrySelf = 1;       // the interface lies at the offset
constexpr DWORD kInterfaceEntryAggregate = 2;  // the offset holds an inner IUnknown*

struct InterfaceEntry {
  const IID* iid;  // null ends the map
  std::ptrdiff_t offset;
  DWORD kind;
};

// The non-delegating inner unknown of an aggregatable object.
class IInternalUnknown {
 public:
  virtual HRESULT InternalQueryInterface(REFIID iid, void** out) = 0;
  virtual ULONG InternalAddRef() = 0;
  virtual ULONG InternalRelease() = 0;

 protected:
  ~IInternalUnknown() = default;
};

template <class T>
class CSComObjectRoot : public IUnknown {
 public:
  virtual HRESULT FinalConstruct() { return S_OK; }
  virtual void FinalRelease() {}

 protected:
  ~CSComObjectRoot() = default;
};

template <class T>
class CSAggregateObject final : public T, public IInternalUnknown {
 public:
  static HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** out) {
    if (outer && !IsEqualIID(iid, IID_IUnknown)) return E_FAIL;
    if (!out) return E_FAIL;
    auto* object = new (std::nothrow) CSAggregateObject(outer);
    if (!object) return E_FAIL;
    HRESULT hr = object->FinalConstruct();
    if (FAILED(hr)) {
      delete object;
      return hr;
    }
    if (outer) {
      object->InternalAddRef();
      *out = &object->m_inner;
      return S_OK;
    }
    hr = object->QueryInterface(iid, out);
    if (FAILED(hr)) delete object;
    return hr;
  }

  // Root operations: delegate to the outer object when aggregated.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return m_outer ? m_outer->QueryInterface(iid, out) : InternalQueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return m_outer ? m_outer->AddRef() : InternalAddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return m_outer ? m_outer->Release() : InternalRelease(); }

  HRESULT InternalQueryInterface(REFIID iid, void** out) override {
    if (!out) return E_FAIL;
    if (IsEqualIID(iid, IID_IUnknown)) {
      InternalAddRef();
      *out = &m_inner;
      return S_OK;
    }
    char* base = reinterpret_cast<char*>(static_cast<T*>(this));
    for (const InterfaceEntry* entry = T::GetInterfaceMap(); entry->iid; ++entry) {
      if (!IsEqualIID(iid, *entry->iid)) continue;
      if (entry->kind == kInterfaceEntrySelf) {
        auto* itf = reinterpret_cast<IUnknown*>(base + entry->offset);
        itf->AddRef();
        *out = itf;
        return S_OK;
      }
      if (entry->kind == kInterfaceEntryAggregate) {
        IUnknown* inner = *reinterpret_cast<IUnknown**>(base + entry->offset);
        if (inner) return inner->QueryInterface(iid, out);
      }
    }
    return E_NOINTERFACE;
  }
  ULONG InternalAddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_refCount)); }
  ULONG InternalRelease() override {
    LONG count = InterlockedDecrement(&m_refCount);
    if (count == 0) delete this;
    return static_cast<ULONG>(count);
  }

  // The current count, for tests and diagnostics.
  LONG RefCountForTesting() const { return __atomic_load_n(&m_refCount, __ATOMIC_SEQ_CST); }

 private:
  // The inner unknown handed out for IID_IUnknown: a real IUnknown whose
  // operations are the object's non-delegating ones.
  class InnerUnknown final : public IUnknown {
   public:
    explicit InnerUnknown(CSAggregateObject* owner) : m_owner(owner) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
      return m_owner->InternalQueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return m_owner->InternalAddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return m_owner->InternalRelease(); }

   private:
    CSAggregateObject* m_owner;
  };

  explicit CSAggregateObject(IUnknown* outer) : m_outer(outer), m_inner(this) { GetThisModule().Lock(); }
  ~CSAggregateObject() { GetThisModule().Unlock(); }

  LONG m_refCount = 0;
  IUnknown* m_outer;
  InnerUnknown m_inner;
};

// Offset of interface I inside class T.
template <class I, class T>
std::ptrdiff_t InterfaceOffset() {
  alignas(T) static char probe[sizeof(T)];
  T* object = reinterpret_cast<T*>(probe);
  return reinterpret_cast<char*>(static_cast<I*>(object)) - reinterpret_cast<char*>(object);
}

// A class entry for the class table.
template <class T>
ClassEntry MakeClassEntry(LPCWSTR name, bool shared) {
  return ClassEntry{name, &CSAggregateObject<T>::CreateInstance, shared, nullptr};
}

}  // namespace S_COM

// Interface map of class T, inside its declaration:
//   S_COM_BEGIN_INTERFACE_MAP(CBinaryBuffer)
//     S_COM_INTERFACE_ENTRY(IBinaryBuffer)
//   S_COM_END_INTERFACE_MAP()
#define S_COM_BEGIN_INTERFACE_MAP(Class)                      \
 public:                                                      \
  using InterfaceMapClass = Class;                            \
  static const ::S_COM::InterfaceEntry* GetInterfaceMap() {   \
    static const ::S_COM::InterfaceEntry entries[] = {
#define S_COM_INTERFACE_ENTRY(Interface)                                                       \
  {&::InterfaceId<Interface>::value(), ::S_COM::InterfaceOffset<Interface, InterfaceMapClass>(), \
   ::S_COM::kInterfaceEntrySelf},
#define S_COM_INTERFACE_ENTRY_AGGREGATE(Interface, member)                                       \
  {&::InterfaceId<Interface>::value(), static_cast<std::ptrdiff_t>(offsetof(InterfaceMapClass, member)), \
   ::S_COM::kInterfaceEntryAggregate},
#define S_COM_END_INTERFACE_MAP() \
  {nullptr, 0, 0}                 \
  }                               \
  ;                               \
  return entries;                 \
  }
