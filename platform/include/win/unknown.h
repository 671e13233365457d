#pragma once
// The root of every COM-shaped interface: identity, reference counting.
#include "win/guid.h"
#include "win/hresult.h"

QUORLA_DEFINE_GUID(IID_IUnknown, 0x00000000, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);

struct IUnknown {
  virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) = 0;
  virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
  virtual ULONG STDMETHODCALLTYPE Release() = 0;

 protected:
  ~IUnknown() = default;
};
using LPUNKNOWN = IUnknown*;

// Gives the identifier of an interface type declared with QUORLA_INTERFACE_ID.
template <typename I>
struct InterfaceId;

#define QUORLA_INTERFACE_ID(Interface, iidName)          \
  template <>                                            \
  struct InterfaceId<Interface> {                        \
    static constexpr const GUID& value() { return iidName; } \
  }

QUORLA_INTERFACE_ID(IUnknown, IID_IUnknown);
