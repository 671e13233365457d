#include "site_control_site.h"

BEGIN_INTERFACE_MAP(CSiteControlSite, COleControlSite)
  INTERFACE_PART(CSiteControlSite, IID_IOleCommandTarget, CmdTargetObj)
END_INTERFACE_MAP()

ULONG CSiteControlSite::XCmdTargetObj::AddRef() {
  METHOD_PROLOGUE(CSiteControlSite, CmdTargetObj)
  return pThis->ExternalAddRef();
}

ULONG CSiteControlSite::XCmdTargetObj::Release() {
  METHOD_PROLOGUE(CSiteControlSite, CmdTargetObj)
  return pThis->ExternalRelease();
}

HRESULT CSiteControlSite::XCmdTargetObj::QueryInterface(REFIID iid, void** out) {
  METHOD_PROLOGUE(CSiteControlSite, CmdTargetObj)
  return pThis->ExternalQueryInterface(&iid, out);
}

HRESULT CSiteControlSite::XCmdTargetObj::QueryStatus(const GUID*, ULONG, OLECMD[], OLECMDTEXT*) { return S_OK; }

HRESULT CSiteControlSite::XCmdTargetObj::Exec(const GUID* group, DWORD command, DWORD, VARIANT*, VARIANT* out) {
  if (!group || *group != CGID_DocHostCommandHandler) return OLECMDERR_E_UNKNOWNGROUP;
  if (command != OLECMDID_SHOWSCRIPTERROR) return OLECMDERR_E_NOTSUPPORTED;
  if (out) {
    ::VariantInit(out);
    out->vt = VT_BOOL;
    out->boolVal = VARIANT_TRUE;
  }
  return S_OK;
}
