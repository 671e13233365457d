#pragma once
// Interfaces of the probe libraries the framework tests load.
#include "win/base.h"

QUORLA_DEFINE_GUID(IID_IProbe, 0x5b1c3f10, 0x2a4e, 0x4d6b, 0x9a, 0x11, 0x3c, 0x52, 0x7e, 0x80, 0x01, 0x01);
QUORLA_DEFINE_GUID(IID_ISecond, 0x5b1c3f10, 0x2a4e, 0x4d6b, 0x9a, 0x11, 0x3c, 0x52, 0x7e, 0x80, 0x01, 0x02);
QUORLA_DEFINE_GUID(IID_ISolo, 0x5b1c3f10, 0x2a4e, 0x4d6b, 0x9a, 0x11, 0x3c, 0x52, 0x7e, 0x80, 0x01, 0x03);
QUORLA_DEFINE_GUID(IID_INotImplemented, 0x5b1c3f10, 0x2a4e, 0x4d6b, 0x9a, 0x11, 0x3c, 0x52, 0x7e, 0x80, 0x01, 0x04);

// What a probe library tells about itself and its own loader.
struct IProbe : IUnknown {
  // The text the library was built with ("A", "B", "other" ...).
  virtual LPCWSTR Identity() = 0;
  // The library's own module object.
  virtual void* ModuleObject() = 0;
  // Creates through the library's own loader.
  virtual HRESULT CreateThrough(LPCWSTR name, REFIID iid, void** out) = 0;
  virtual int LoaderMapSize() = 0;
  virtual BOOL LoaderHasKey(LPCWSTR key) = 0;
  // The next n creations of CSharedFlaky fail.
  virtual void FailNextFlakyCreations(int n) = 0;
  // How many times each shared class was constructed.
  virtual int SharedConstructions() = 0;
  virtual int FlakyConstructions() = 0;
  // Lets a blocked CBlockingFail creation go on (and fail).
  virtual void ReleaseBlockedCreation() = 0;
};
QUORLA_INTERFACE_ID(IProbe, IID_IProbe);

struct ISecond : IUnknown {
  virtual int Second() = 0;
};
QUORLA_INTERFACE_ID(ISecond, IID_ISecond);

struct ISolo : IUnknown {
  virtual int Solo() = 0;
};
QUORLA_INTERFACE_ID(ISolo, IID_ISolo);
