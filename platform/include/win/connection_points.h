#pragma once
// Connection points: how an object hands its events to the sinks that a host
// advises it of. Only the calls the system makes are offered (finding the
// point for one event interface, advising and unadvising a sink); the
// enumerations are not.
#include "win/unknown.h"

QUORLA_DEFINE_GUID(IID_IConnectionPointContainer, 0xB196B284, 0xBAB4, 0x101A, 0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34,
                   0x1D, 0x07);
QUORLA_DEFINE_GUID(IID_IConnectionPoint, 0xB196B286, 0xBAB4, 0x101A, 0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07);

constexpr HRESULT CONNECT_E_NOCONNECTION = static_cast<HRESULT>(0x80040200);
constexpr HRESULT CONNECT_E_CANNOTCONNECT = static_cast<HRESULT>(0x80040202);

struct IConnectionPointContainer;

struct IConnectionPoint : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) = 0;
  // The sink is queried for the point's event interface (CONNECT_E_CANNOTCONNECT
  // when it does not answer it) and held until Unadvise; cookies are never 0.
  virtual HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) = 0;
  virtual HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) = 0;

 protected:
  ~IConnectionPoint() = default;
};
QUORLA_INTERFACE_ID(IConnectionPoint, IID_IConnectionPoint);

struct IConnectionPointContainer : IUnknown {
  // CONNECT_E_NOCONNECTION for an event interface the object does not fire.
  virtual HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) = 0;

 protected:
  ~IConnectionPointContainer() = default;
};
QUORLA_INTERFACE_ID(IConnectionPointContainer, IID_IConnectionPointContainer);
