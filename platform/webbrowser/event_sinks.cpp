#include "event_sinks.h"

#include <algorithm>

namespace quorla {

EventSinks::~EventSinks() { Clear(); }

void EventSinks::Clear() {
  auto sinks = std::move(sinks_);
  sinks_.clear();
  for (auto& [cookie, sink] : sinks) sink->Release();
}

void EventSinks::Fire(const std::function<void(DWebBrowserEvents2*)>& call, const std::function<bool()>& live) {
  if (sinks_.empty()) return;
  std::vector<DWebBrowserEvents2*> sinks;
  for (auto& [cookie, sink] : sinks_) {
    sink->AddRef();
    sinks.push_back(sink);
  }
  for (DWebBrowserEvents2* sink : sinks) {
    const bool advised = std::any_of(sinks_.begin(), sinks_.end(), [&](auto& s) { return s.second == sink; });
    if (advised && live()) call(sink);
  }
  for (DWebBrowserEvents2* sink : sinks) sink->Release();
}

HRESULT EventSinks::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid != IID_IUnknown && iid != IID_IConnectionPoint) {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  *out = static_cast<IConnectionPoint*>(this);
  return S_OK;
}

HRESULT EventSinks::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = DIID_DWebBrowserEvents2;
  return S_OK;
}

HRESULT EventSinks::GetConnectionPointContainer(IConnectionPointContainer** out) {
  if (!out) return E_POINTER;
  owner_.AddRef();
  *out = &owner_;
  return S_OK;
}

HRESULT EventSinks::Advise(IUnknown* sink, DWORD* cookie) {
  if (!sink || !cookie) return E_POINTER;
  *cookie = 0;
  DWebBrowserEvents2* events = nullptr;
  if (FAILED(sink->QueryInterface(DIID_DWebBrowserEvents2, reinterpret_cast<void**>(&events))) || !events)
    return CONNECT_E_CANNOTCONNECT;
  *cookie = nextCookie_++;
  sinks_.emplace_back(*cookie, events);
  return S_OK;
}

HRESULT EventSinks::Unadvise(DWORD cookie) {
  auto it = std::find_if(sinks_.begin(), sinks_.end(), [&](auto& s) { return s.first == cookie; });
  if (it == sinks_.end()) return CONNECT_E_NOCONNECTION;
  DWebBrowserEvents2* sink = it->second;
  sinks_.erase(it);
  sink->Release();
  return S_OK;
}

}  // namespace quorla
