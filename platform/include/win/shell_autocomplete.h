#pragma once
// Completion of what a person types into an edit control, from the
// addresses loaded before.
//
// SHAutoComplete with SHACF_URLHISTORY or SHACF_URLMRU (or SHACF_DEFAULT)
// makes an "Edit" control complete addresses: typing at the end of its text
// appends, selected, the rest of the most recently loaded address that
// begins with the text (compared without regard to case, with or without
// its "http://", "https://" and "www."); typing on replaces the appended
// part, Backspace removes it. The parent hears EN_CHANGE once per key, with
// the completed text. Call it on the control's thread. File-system
// completion (SHACF_FILESYSTEM alone) is not offered: E_NOTIMPL. Another
// window than an edit control: E_INVALIDARG.
//
// The history is the user's own: one file, "quorla/address-history" under
// $XDG_DATA_HOME (else ~/.local/share), UTF-8, one address a line, newest
// first, at most kAddressHistoryLimit addresses of at most
// kAddressHistoryMaxLength characters. It is rewritten whole (a new file
// renamed over the old), so that an ended program leaves the old list or
// the new one, never part of either; programs that record at the same time
// each add their address.
#include "win/hresult.h"
#include "win/types.h"

constexpr DWORD SHACF_DEFAULT = 0x0000;
constexpr DWORD SHACF_FILESYSTEM = 0x0001;
constexpr DWORD SHACF_URLHISTORY = 0x0002;
constexpr DWORD SHACF_URLMRU = 0x0004;
constexpr DWORD SHACF_URLALL = SHACF_URLHISTORY | SHACF_URLMRU;

constexpr unsigned kAddressHistoryLimit = 200;
constexpr unsigned kAddressHistoryMaxLength = 2048;

WINAPI_EXPORT HRESULT SHAutoComplete(HWND edit, DWORD flags);

// The layer's own, where the platform's page engine keeps the history by
// itself: records an address a page loaded (the web control calls it for
// each top-level page). It becomes the newest entry; an address already
// there moves to the front. Any thread. S_OK; E_INVALIDARG for an empty,
// too long or multi-line address, or "about:" pages; E_FAIL when the file
// cannot be written (the old one stays as it was).
WINAPI_EXPORT HRESULT AddUrlToAutoCompleteHistory(LPCWSTR url);
