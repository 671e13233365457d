#include "win/oleauto.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

namespace {

// The BSTR block: an 8-byte header whose upper four bytes hold the byte
// length, so the text that follows stays 8-byte aligned.
constexpr std::size_t kHeader = 8;

std::uint32_t* LengthField(BSTR text) { return reinterpret_cast<std::uint32_t*>(reinterpret_cast<char*>(text) - 4); }

constexpr USHORT FADF_HAVEVARTYPE = 0x80;
constexpr USHORT FADF_BSTR = 0x100;
constexpr USHORT FADF_UNKNOWN = 0x200;
constexpr USHORT FADF_DISPATCH = 0x400;
constexpr USHORT FADF_VARIANT = 0x800;

// The element type rides in front of the descriptor, as on the platform.
struct ArrayBlock {
  VARTYPE vt;
  SAFEARRAY array;
};

ArrayBlock* BlockOf(SAFEARRAY* array) {
  return reinterpret_cast<ArrayBlock*>(reinterpret_cast<char*>(array) - offsetof(ArrayBlock, array));
}

ULONG ElementSize(VARTYPE vt) {
  switch (vt) {
    case VT_I2: case VT_BOOL: return 2;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: return 4;
    case VT_R8: case VT_I8: return 8;
    case VT_BSTR: case VT_UNKNOWN: case VT_DISPATCH: return sizeof(void*);
    case VT_VARIANT: return sizeof(VARIANT);
    default: return 0;
  }
}

USHORT FeaturesOf(VARTYPE vt) {
  switch (vt) {
    case VT_BSTR: return FADF_HAVEVARTYPE | FADF_BSTR;
    case VT_UNKNOWN: return FADF_HAVEVARTYPE | FADF_UNKNOWN;
    case VT_DISPATCH: return FADF_HAVEVARTYPE | FADF_DISPATCH;
    case VT_VARIANT: return FADF_HAVEVARTYPE | FADF_VARIANT;
    default: return FADF_HAVEVARTYPE;
  }
}

}  // namespace

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
  std::size_t bytes = static_cast<std::size_t>(length) * sizeof(OLECHAR);
  if (bytes > 0xFFFFFFF0u) return nullptr;
  char* block = static_cast<char*>(std::malloc(kHeader + bytes + sizeof(OLECHAR)));
  if (!block) return nullptr;
  BSTR result = reinterpret_cast<BSTR>(block + kHeader);
  *LengthField(result) = static_cast<std::uint32_t>(bytes);
  if (text) std::memcpy(result, text, bytes);
  result[length] = 0;
  return result;
}

BSTR SysAllocString(LPCOLESTR text) {
  if (!text) return nullptr;
  return SysAllocStringLen(text, static_cast<UINT>(std::char_traits<char16_t>::length(text)));
}

void SysFreeString(BSTR text) {
  if (text) std::free(reinterpret_cast<char*>(text) - kHeader);
}

UINT SysStringByteLen(BSTR text) { return text ? *LengthField(text) : 0; }

UINT SysStringLen(BSTR text) { return SysStringByteLen(text) / sizeof(OLECHAR); }

void VariantInit(VARIANT* v) {
  if (!v) return;
  std::memset(v, 0, sizeof *v);
  v->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANT* v) {
  if (!v) return E_INVALIDARG;
  switch (v->vt) {
    case VT_BSTR:
      SysFreeString(v->bstrVal);
      break;
    case VT_UNKNOWN:
    case VT_DISPATCH:
      if (v->punkVal) v->punkVal->Release();
      break;
    default:
      break;
  }
  VariantInit(v);
  return S_OK;
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lowerBound, ULONG elements) {
  ULONG size = ElementSize(vt);
  if (size == 0) return nullptr;
  auto* block = new (std::nothrow) ArrayBlock{};
  if (!block) return nullptr;
  block->vt = vt;
  SAFEARRAY& a = block->array;
  a.cDims = 1;
  a.fFeatures = FeaturesOf(vt);
  a.cbElements = size;
  a.rgsabound[0] = {elements, lowerBound};
  if (elements > 0) {
    a.pvData = std::calloc(elements, size);
    if (!a.pvData) {
      delete block;
      return nullptr;
    }
  }
  return &a;
}

HRESULT SafeArrayDestroy(SAFEARRAY* array) {
  if (!array) return S_OK;
  if (array->cLocks > 0) return E_UNEXPECTED;
  ULONG n = array->rgsabound[0].cElements;
  if (array->fFeatures & FADF_VARIANT) {
    for (ULONG i = 0; i < n; ++i) VariantClear(static_cast<VARIANT*>(array->pvData) + i);
  } else if (array->fFeatures & FADF_BSTR) {
    for (ULONG i = 0; i < n; ++i) SysFreeString(static_cast<BSTR*>(array->pvData)[i]);
  } else if (array->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
    for (ULONG i = 0; i < n; ++i) {
      if (IUnknown* p = static_cast<IUnknown**>(array->pvData)[i]) p->Release();
    }
  }
  std::free(array->pvData);
  delete BlockOf(array);
  return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data) {
  if (!array || !data) return E_INVALIDARG;
  ++array->cLocks;
  *data = array->pvData;
  return S_OK;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* array) {
  if (!array) return E_INVALIDARG;
  if (array->cLocks == 0) return E_UNEXPECTED;
  --array->cLocks;
  return S_OK;
}

HRESULT SafeArrayGetVartype(SAFEARRAY* array, VARTYPE* vt) {
  if (!array || !vt) return E_INVALIDARG;
  *vt = BlockOf(array)->vt;
  return S_OK;
}

HRESULT SafeArrayGetLBound(SAFEARRAY* array, UINT dimension, LONG* bound) {
  if (!array || !bound) return E_INVALIDARG;
  if (dimension != 1) return E_INVALIDARG;  // DISP_E_BADINDEX on the platform
  *bound = array->rgsabound[0].lLbound;
  return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* array, UINT dimension, LONG* bound) {
  if (!array || !bound) return E_INVALIDARG;
  if (dimension != 1) return E_INVALIDARG;
  *bound = array->rgsabound[0].lLbound + static_cast<LONG>(array->rgsabound[0].cElements) - 1;
  return S_OK;
}
