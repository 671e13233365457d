#pragma once
// Creating the layer's own COM classes by class identifier. The only class
// offered is the HTML document (CLSID_HTMLDocument, see win/mshtml.h); it is
// made in-process whatever server context is asked for, on any thread, and
// is used on the thread that made it.
#include "win/unknown.h"

constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
constexpr DWORD CLSCTX_REMOTE_SERVER = 0x10;
constexpr DWORD CLSCTX_ALL = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
constexpr DWORD CLSCTX_SERVER = CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;

// S_OK with *out holding iid of a new object; REGDB_E_CLASSNOTREG for a class
// the layer does not have, CLASS_E_NOAGGREGATION with an outer object,
// E_NOINTERFACE when the object does not answer iid, E_POINTER for a null
// out, E_OUTOFMEMORY.
WINAPI_EXPORT HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** out);
