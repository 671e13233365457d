#include "host_site.h"

#include "win/com.h"

namespace quorla {

void HostSite::Set(IOleClientSite* site) {
  if (site) site->AddRef();
  IOleClientSite* previous = site_;
  site_ = site;
  flags_ = 0;
  if (previous) previous->Release();
  if (!site) return;
  IDocHostUIHandler* handler = nullptr;
  if (FAILED(site->QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&handler))) || !handler) return;
  DOCHOSTUIINFO info{};
  info.cbSize = sizeof(info);
  if (SUCCEEDED(handler->GetHostInfo(&info))) flags_ = info.dwFlags;
  // The host may have handed strings over; they are the receiver's to free.
  if (info.pchHostCss) CoTaskMemFree(info.pchHostCss);
  if (info.pchHostNS) CoTaskMemFree(info.pchHostNS);
  handler->Release();
}

IOleClientSite* HostSite::Get() const {
  if (site_) site_->AddRef();
  return site_;
}

void HostSite::ReportScriptError() {
  IOleClientSite* site = Get();  // the host may drop its site from inside
  if (!site) return;
  IOleCommandTarget* target = nullptr;
  if (SUCCEEDED(site->QueryInterface(IID_IOleCommandTarget, reinterpret_cast<void**>(&target))) && target) {
    VARIANT in, out;
    VariantInit(&in);
    VariantInit(&out);
    target->Exec(&CGID_DocHostCommandHandler, OLECMDID_SHOWSCRIPTERROR, 0, &in, &out);
    VariantClear(&out);
    target->Release();
  }
  site->Release();
}

}  // namespace quorla
