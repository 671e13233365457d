#pragma once
// CCmdTarget: a framework object that answers COM interfaces through an
// interface map, one nested object per interface, all sharing the object's
// one reference count.
//
//   class CMySite : public COleControlSite {
//    protected:
//     BEGIN_INTERFACE_PART(CmdTargetObj, IOleCommandTarget)
//       HRESULT STDMETHODCALLTYPE QueryStatus(...) override;
//       HRESULT STDMETHODCALLTYPE Exec(...) override;
//     END_INTERFACE_PART(CmdTargetObj)
//     DECLARE_INTERFACE_MAP()
//   };
//   BEGIN_INTERFACE_MAP(CMySite, COleControlSite)
//     INTERFACE_PART(CMySite, IID_IOleCommandTarget, CmdTargetObj)
//   END_INTERFACE_MAP()
//
//   ULONG CMySite::XCmdTargetObj::AddRef() {
//     METHOD_PROLOGUE(CMySite, CmdTargetObj)
//     return pThis->ExternalAddRef();
//   }
//
// A query looks through the class's map, then its base classes' maps; the
// first entry of the most derived map that has any is the object's
// IUnknown. The object is born with one reference, its creator's; the last
// release calls OnFinalRelease, which deletes it. Used on one thread.
#include <cstddef>

#include "win/unknown.h"

class CCmdTarget;

struct AFX_INTERFACEMAP_ENTRY {
  const IID* piid;                  // null ends the table
  IUnknown* (*part)(CCmdTarget*);   // the nested object that answers it
};

struct AFX_INTERFACEMAP {
  const AFX_INTERFACEMAP* (*pfnGetBaseMap)();  // null for the root (CCmdTarget)
  const AFX_INTERFACEMAP_ENTRY* pEntry;
};

class CCmdTarget {
 public:
  CCmdTarget();
  virtual ~CCmdTarget();
  CCmdTarget(const CCmdTarget&) = delete;
  CCmdTarget& operator=(const CCmdTarget&) = delete;

  // What the nested objects' IUnknown calls forward to.
  ULONG ExternalAddRef();
  ULONG ExternalRelease();
  HRESULT ExternalQueryInterface(const void* iid, void** out);
  ULONG InternalAddRef();
  ULONG InternalRelease();
  // S_OK with one reference added, E_NOINTERFACE with *out null, E_POINTER
  // without out.
  HRESULT InternalQueryInterface(const void* iid, void** out);
  // The nested object answering iid, without a reference; null when none.
  IUnknown* GetInterface(const void* iid);

  ULONG m_dwRef = 1;

 protected:
  // After the last reference went: deletes the object.
  virtual void OnFinalRelease();

  virtual const AFX_INTERFACEMAP* GetInterfaceMap() const;
  static const AFX_INTERFACEMAP* GetThisInterfaceMap();
};

#define DECLARE_INTERFACE_MAP()                                \
 protected:                                                    \
  static const AFX_INTERFACEMAP* GetThisInterfaceMap();        \
  const AFX_INTERFACEMAP* GetInterfaceMap() const override;

#define BEGIN_INTERFACE_MAP(theClass, baseClass)                                             \
  const AFX_INTERFACEMAP* theClass::GetInterfaceMap() const { return GetThisInterfaceMap(); } \
  const AFX_INTERFACEMAP* theClass::GetThisInterfaceMap() {                                \
    using TheBaseClass = baseClass;                                                        \
    static const AFX_INTERFACEMAP_ENTRY _interfaceEntries[] = {
#define INTERFACE_PART(theClass, iid, localClass) \
  {&(iid), [](CCmdTarget* target_) -> IUnknown* { return &static_cast<theClass*>(target_)->m_x##localClass; }},
#define END_INTERFACE_MAP()                                                                               \
  {nullptr, nullptr}                                                                                      \
  }                                                                                                       \
  ;                                                                                                       \
  static const AFX_INTERFACEMAP interfaceMap = {&TheBaseClass::GetThisInterfaceMap, &_interfaceEntries[0]}; \
  return &interfaceMap;                                                                                   \
  }

// A nested object answering one interface; its IUnknown is declared here
// and defined by the class, usually forwarding to the External calls.
#define BEGIN_INTERFACE_PART(localClass, baseClass)                        \
  class X##localClass : public baseClass {                                 \
   public:                                                                 \
    ULONG STDMETHODCALLTYPE AddRef() override;                             \
    ULONG STDMETHODCALLTYPE Release() override;                            \
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
#define END_INTERFACE_PART(localClass) \
  }                                    \
  m_x##localClass;                     \
  friend class X##localClass;

// Inside a nested object's method: pThis, the object that holds it. The
// nested objects are plain members of classes without virtual bases, where
// the member's offset is fixed.
#define METHOD_PROLOGUE(theClass, localClass)                                                      \
  _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Winvalid-offsetof\"")          \
  theClass* pThis = reinterpret_cast<theClass*>(reinterpret_cast<unsigned char*>(this) -           \
                                                offsetof(theClass, m_x##localClass));              \
  _Pragma("GCC diagnostic pop")(void) pThis;
