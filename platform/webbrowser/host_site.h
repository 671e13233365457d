#pragma once
// The WebBrowser control's hold on its host's client site (win/doc_host.h):
// the host's flags, asked when the site is handed over, and the commands the
// control hands the host in place of its own behaviour.
#include "win/doc_host.h"

namespace quorla {

class HostSite {
 public:
  HostSite() = default;
  ~HostSite() { Set(nullptr); }
  HostSite(const HostSite&) = delete;
  HostSite& operator=(const HostSite&) = delete;

  // Holds the site (null lets the current one go) and asks it for the host's
  // flags; a site without IDocHostUIHandler, or one whose GetHostInfo fails,
  // gives none.
  void Set(IOleClientSite* site);
  // The site with a reference for the caller, or null.
  IOleClientSite* Get() const;
  DWORD Flags() const { return flags_; }
  // An uncaught script error: the host's command target is handed
  // OLECMDID_SHOWSCRIPTERROR. Whatever it answers, nobody is shown anything.
  void ReportScriptError();

 private:
  IOleClientSite* site_ = nullptr;
  DWORD flags_ = 0;
};

}  // namespace quorla
