#pragma once
// CLibPng: the PNG decoder component over libpng. It holds no state, so its
// one shared instance serves every thread at once; each call has its own
// libpng structures.
#include "framework/com_object.h"
#include "kernel/lib_png.h"

class CLibPng : public S_COM::CSComObjectRoot<CLibPng>, public ILibPng {
 public:
  S_COM_BEGIN_INTERFACE_MAP(CLibPng)
  S_COM_INTERFACE_ENTRY(ILibPng)
  S_COM_END_INTERFACE_MAP()

  HBITMAP STDMETHODCALLTYPE LoadFromFile(LPCWSTR path) override;
  HBITMAP STDMETHODCALLTYPE LoadFromMemory(const void* data, UINT size) override;
  int STDMETHODCALLTYPE Reserved(int first, int second) override { return 1; }
};

extern S_COM::ClassEntry g_classLibPng;
