#pragma once
// CSiteControlSite: the site a browser view gives its control. Besides the
// framework's answers it takes the document's commands, so that a page's
// script error never shows a dialog and the page's scripts go on.
#include "afx/ole_control_site.h"

class CSiteControlSite : public COleControlSite {
 public:
  explicit CSiteControlSite(COleControlContainer* container) : COleControlSite(container) {}

 protected:
  BEGIN_INTERFACE_PART(CmdTargetObj, IOleCommandTarget)
    // S_OK, filling nothing.
    HRESULT STDMETHODCALLTYPE QueryStatus(const GUID* group, ULONG count, OLECMD commands[],
                                          OLECMDTEXT* text) override;
    // CGID_DocHostCommandHandler's OLECMDID_SHOWSCRIPTERROR: out VT_BOOL
    // VARIANT_TRUE (go on, say nothing), S_OK; the group's other commands
    // OLECMDERR_E_NOTSUPPORTED; any other group, or none,
    // OLECMDERR_E_UNKNOWNGROUP.
    HRESULT STDMETHODCALLTYPE Exec(const GUID* group, DWORD command, DWORD option, VARIANT* in,
                                   VARIANT* out) override;
  END_INTERFACE_PART(CmdTargetObj)
  DECLARE_INTERFACE_MAP()
};
