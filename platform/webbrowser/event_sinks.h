#pragma once
// The WebBrowser control's one connection point: the DWebBrowserEvents2 sinks
// its host advises, and the calling of them. Counted with its owner (its
// AddRef and Release are the owner's), so a sink's reference to the point
// keeps the control alive.
#include <functional>
#include <utility>
#include <vector>

#include "win/connection_points.h"
#include "win/webbrowser.h"

namespace quorla {

class EventSinks final : public IConnectionPoint {
 public:
  // owner: the control, which answers for the point's counting and
  // container.
  explicit EventSinks(IConnectionPointContainer& owner) : owner_(owner) {}
  ~EventSinks();
  EventSinks(const EventSinks&) = delete;
  EventSinks& operator=(const EventSinks&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return owner_.AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return owner_.Release(); }
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;

  bool Empty() const { return sinks_.empty(); }
  // Calls each sink advised now, while live() holds and it is still advised
  // (a sink may unadvise the others or end the control from inside its
  // call). The sinks are held for the duration; the caller holds the owner.
  void Fire(const std::function<void(DWebBrowserEvents2*)>& call, const std::function<bool()>& live);
  // Lets every sink go.
  void Clear();

 private:
  IConnectionPointContainer& owner_;
  std::vector<std::pair<DWORD, DWebBrowserEvents2*>> sinks_;
  DWORD nextCookie_ = 1;
};

}  // namespace quorla
