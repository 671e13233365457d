#include "win/com_classes.h"

#include "html_dom_gumbo.h"

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (clsid != CLSID_HTMLDocument) return REGDB_E_CLASSNOTREG;
  if (outer) return CLASS_E_NOAGGREGATION;
  return quorla::CreateHtmlDocument(iid, out);
}
