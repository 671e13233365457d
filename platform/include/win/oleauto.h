#pragma once
// OLE automation: counted wide strings (BSTR), the VARIANT subset the system
// passes, one-dimensional safe arrays, and IDispatch as the identity that
// document objects are handed around as.
//
// A BSTR points at its first unit; the byte length lies in the four bytes
// before it and a zero unit follows the text. BSTRs are owned by whoever
// receives them and freed with SysFreeString; any thread may free them.
#include "win/unknown.h"

using BSTR = WCHAR*;
using OLECHAR = WCHAR;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;
using VARTYPE = USHORT;
using VARIANT_BOOL = SHORT;
constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

// Null text gives null; otherwise a copy, null when memory runs out.
WINAPI_EXPORT BSTR SysAllocString(LPCOLESTR text);
// length units from text (null text: length units left uninitialised), then a
// zero unit.
WINAPI_EXPORT BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
WINAPI_EXPORT void SysFreeString(BSTR text);
// Units of the text, without the terminator; 0 for null.
WINAPI_EXPORT UINT SysStringLen(BSTR text);
WINAPI_EXPORT UINT SysStringByteLen(BSTR text);

// IDispatch: automation's late-bound calls are not offered (nothing calls
// them); documents and elements are passed as IDispatch and queried for
// their real interfaces.
QUORLA_DEFINE_GUID(IID_IDispatch, 0x00020400, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);
struct IDispatch : IUnknown {
 protected:
  ~IDispatch() = default;
};
QUORLA_INTERFACE_ID(IDispatch, IID_IDispatch);

enum VARENUM : VARTYPE {
  VT_EMPTY = 0,
  VT_NULL = 1,
  VT_I2 = 2,
  VT_I4 = 3,
  VT_R8 = 5,
  VT_BSTR = 8,
  VT_DISPATCH = 9,
  VT_BOOL = 11,
  VT_VARIANT = 12,
  VT_UNKNOWN = 13,
  VT_UI4 = 19,
  VT_I8 = 20,
  VT_INT = 22,
  VT_UINT = 23,
};

struct VARIANT {
  VARTYPE vt;
  WORD wReserved1;
  WORD wReserved2;
  WORD wReserved3;
  union {
    LONG lVal;
    SHORT iVal;
    ULONG ulVal;
    INT intVal;
    UINT uintVal;
    LONGLONG llVal;
    double dblVal;
    VARIANT_BOOL boolVal;
    BSTR bstrVal;
    IUnknown* punkVal;
    IDispatch* pdispVal;
    void* pRecordPair[2];
  };
};
static_assert(sizeof(VARIANT) == 24);
using VARIANTARG = VARIANT;

WINAPI_EXPORT void VariantInit(VARIANT* v);
// Frees what the variant owns (BSTR, interface reference) and empties it.
WINAPI_EXPORT HRESULT VariantClear(VARIANT* v);

struct SAFEARRAYBOUND {
  ULONG cElements;
  LONG lLbound;
};

// One-dimensional arrays of VARIANT, BSTR, IUnknown/IDispatch or plain
// numbers. The array owns its elements: destroying it clears them.
struct SAFEARRAY {
  USHORT cDims;
  USHORT fFeatures;
  ULONG cbElements;
  ULONG cLocks;
  PVOID pvData;
  SAFEARRAYBOUND rgsabound[1];
};

// Elements zeroed (empty variants, null strings). Null for an element type
// the layer does not offer, or when memory runs out.
WINAPI_EXPORT SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lowerBound, ULONG elements);
// E_UNEXPECTED (DISP_E_ARRAYISLOCKED on the platform) while data is accessed.
WINAPI_EXPORT HRESULT SafeArrayDestroy(SAFEARRAY* array);
WINAPI_EXPORT HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data);
WINAPI_EXPORT HRESULT SafeArrayUnaccessData(SAFEARRAY* array);
WINAPI_EXPORT HRESULT SafeArrayGetVartype(SAFEARRAY* array, VARTYPE* vt);
WINAPI_EXPORT HRESULT SafeArrayGetLBound(SAFEARRAY* array, UINT dimension, LONG* bound);
WINAPI_EXPORT HRESULT SafeArrayGetUBound(SAFEARRAY* array, UINT dimension, LONG* bound);
