#pragma once
// What a document host (the site of a WebBrowser control) may answer when
// the control asks it: its user-interface flags (IDocHostUIHandler's
// GetHostInfo) and commands (IOleCommandTarget), such as whether to go on
// after a script error. The host hands the control its site through the
// control's IOleObject::SetClientSite. Only the calls the system makes are
// offered.
#include "win/oleauto.h"

QUORLA_DEFINE_GUID(IID_IOleClientSite, 0x00000118, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);
QUORLA_DEFINE_GUID(IID_IOleObject, 0x00000112, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);

QUORLA_DEFINE_GUID(IID_IOleCommandTarget, 0xB722BCCB, 0x4E68, 0x101B, 0xA2, 0xBC, 0x00, 0xAA, 0x00, 0x40, 0x47, 0x70);
QUORLA_DEFINE_GUID(IID_IDocHostUIHandler, 0xBD3F23C0, 0xD43E, 0x11CF, 0x89, 0x3B, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x1A);
// The command group of the questions a document asks its host.
QUORLA_DEFINE_GUID(CGID_DocHostCommandHandler, 0xF38BC242, 0xB950, 0x11D1, 0x89, 0x18, 0x00, 0xC0, 0x4F, 0xC2, 0xC8,
                   0x36);

// A script of the page failed and nothing caught it: out VT_BOOL
// VARIANT_TRUE lets the page's scripts go on without telling the user.
constexpr DWORD OLECMDID_SHOWSCRIPTERROR = 40;

constexpr HRESULT OLECMDERR_E_NOTSUPPORTED = static_cast<HRESULT>(0x80040100u);
constexpr HRESULT OLECMDERR_E_UNKNOWNGROUP = static_cast<HRESULT>(0x80040104u);

struct OLECMD {
  ULONG cmdID;
  DWORD cmdf;
};

struct OLECMDTEXT {
  DWORD cmdtextf;
  ULONG cwActual;
  ULONG cwBuf;
  WCHAR rgwz[1];
};

struct IOleCommandTarget : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE QueryStatus(const GUID* group, ULONG count, OLECMD commands[],
                                                OLECMDTEXT* text) = 0;
  virtual HRESULT STDMETHODCALLTYPE Exec(const GUID* group, DWORD command, DWORD option, VARIANT* in,
                                         VARIANT* out) = 0;

 protected:
  ~IOleCommandTarget() = default;
};
QUORLA_INTERFACE_ID(IOleCommandTarget, IID_IOleCommandTarget);

// DOCHOSTUIINFO's flags.
constexpr DWORD DOCHOSTUIFLAG_DIALOG = 0x1;
constexpr DWORD DOCHOSTUIFLAG_DISABLE_HELP_MENU = 0x2;
constexpr DWORD DOCHOSTUIFLAG_NO3DBORDER = 0x4;
constexpr DWORD DOCHOSTUIFLAG_SCROLL_NO = 0x8;

struct DOCHOSTUIINFO {
  ULONG cbSize;
  DWORD dwFlags;
  DWORD dwDoubleClick;
  OLECHAR* pchHostCss;
  OLECHAR* pchHostNS;
};

struct IDocHostUIHandler : IUnknown {
  // Fills the host's flags into info (its cbSize set by the caller).
  virtual HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* info) = 0;

 protected:
  ~IDocHostUIHandler() = default;
};
QUORLA_INTERFACE_ID(IDocHostUIHandler, IID_IDocHostUIHandler);

// The host's side of an embedded object. The control asks it for
// IDocHostUIHandler and IOleCommandTarget through QueryInterface; none of its
// own operations are called.
struct IOleClientSite : IUnknown {
 protected:
  ~IOleClientSite() = default;
};
QUORLA_INTERFACE_ID(IOleClientSite, IID_IOleClientSite);

// The embedded object's side: only the client site's hand-over.
struct IOleObject : IUnknown {
  // The object holds the site until another one (or null) is set or the
  // object goes, and asks it for the host's flags at once (GetHostInfo gets
  // cbSize set and every other field zero). The site's answers to
  // OLECMDID_SHOWSCRIPTERROR never make the object show anything.
  virtual HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) = 0;

 protected:
  ~IOleObject() = default;
};
QUORLA_INTERFACE_ID(IOleObject, IID_IOleObject);
