// ILibPng::LoadFromMemory on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "lib_png.h"
#include "win/gdi_objects.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static ILibPng* png = [] {
    ILibPng* object = nullptr;
    S_COM::CSAggregateObject<CLibPng>::CreateInstance(nullptr, IID_ILibPng, reinterpret_cast<void**>(&object));
    return object;
  }();
  HBITMAP bitmap = png->LoadFromMemory(data, static_cast<UINT>(size));
  if (bitmap) DeleteObject(bitmap);
  return 0;
}
