// Interface maps: queries answered by the nested objects, one count.
#include "afx/cmd_target.h"

CCmdTarget::CCmdTarget() = default;
CCmdTarget::~CCmdTarget() = default;

const AFX_INTERFACEMAP* CCmdTarget::GetInterfaceMap() const { return GetThisInterfaceMap(); }

const AFX_INTERFACEMAP* CCmdTarget::GetThisInterfaceMap() {
  static const AFX_INTERFACEMAP_ENTRY entries[] = {{nullptr, nullptr}};
  static const AFX_INTERFACEMAP map = {nullptr, &entries[0]};
  return &map;
}

IUnknown* CCmdTarget::GetInterface(const void* iid) {
  if (!iid) return nullptr;
  const IID& wanted = *static_cast<const IID*>(iid);
  const bool identity = wanted == IID_IUnknown;
  for (const AFX_INTERFACEMAP* map = GetInterfaceMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_INTERFACEMAP_ENTRY* entry = map->pEntry; entry->piid; ++entry) {
      // Every interface derives from IUnknown: the first part found is the
      // identity, whichever map holds it.
      if (identity || *entry->piid == wanted) return entry->part(this);
    }
  }
  return nullptr;
}

HRESULT CCmdTarget::InternalQueryInterface(const void* iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  IUnknown* part = GetInterface(iid);
  if (!part) return E_NOINTERFACE;
  InternalAddRef();
  *out = part;
  return S_OK;
}

ULONG CCmdTarget::InternalAddRef() { return ++m_dwRef; }

ULONG CCmdTarget::InternalRelease() {
  if (m_dwRef == 0) return 0;
  ULONG left = --m_dwRef;
  if (left == 0) OnFinalRelease();
  return left;
}

ULONG CCmdTarget::ExternalAddRef() { return InternalAddRef(); }
ULONG CCmdTarget::ExternalRelease() { return InternalRelease(); }
HRESULT CCmdTarget::ExternalQueryInterface(const void* iid, void** out) { return InternalQueryInterface(iid, out); }

void CCmdTarget::OnFinalRelease() { delete this; }
