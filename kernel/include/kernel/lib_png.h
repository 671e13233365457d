#pragma once
// ILibPng: PNG images to DIB sections ready for alpha blending. Created as
// "Gravik.CLibPng", one shared instance per process; every call is
// self-contained, so any thread may call it.
//
// The bitmap returned belongs to the caller (DeleteObject). It is a top-down
// DIB section (height = -image height) of 24 bits, or of 32 bits when the
// image has alpha; pixels are blue, green, red (then alpha), with colour
// premultiplied by alpha; rows are padded to four bytes.
#include "win/base.h"
#include "win/gdi_objects.h"

QUORLA_DEFINE_GUID(IID_ILibPng, 0x5E1C0A2D, 0x7B43, 0x4F0E, 0x9A, 0x61, 0x2C, 0xD8, 0x3B, 0x57, 0x90, 0x14);

struct ILibPng : public IUnknown {
  // Null for a null path, an unreadable or empty file, or a bad image.
  virtual HBITMAP STDMETHODCALLTYPE LoadFromFile(LPCWSTR path) = 0;
  // Null for a block shorter than 8 bytes, a bad signature or a bad image.
  virtual HBITMAP STDMETHODCALLTYPE LoadFromMemory(const void* data, UINT size) = 0;
  // Does nothing; always 1.
  virtual int STDMETHODCALLTYPE Reserved(int first, int second) = 0;

 protected:
  ~ILibPng() = default;
};
QUORLA_INTERFACE_ID(ILibPng, IID_ILibPng);
