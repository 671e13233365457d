// SHAutoComplete and the address history it offers (win/shell_autocomplete.h).
#include "address_history.h"
#include "control_classes.h"
#include "win/last_error.h"
#include "win/shell_autocomplete.h"
#include "win/window_objects.h"

HRESULT SHAutoComplete(HWND edit, DWORD flags) {
  const bool addresses = flags == SHACF_DEFAULT || (flags & SHACF_URLALL) != 0;
  if (!IsWindow(edit)) return E_INVALIDARG;
  if (!addresses) return E_NOTIMPL;
  return quorla::EnableAddressCompletion(edit) ? S_OK : E_INVALIDARG;
}

HRESULT AddUrlToAutoCompleteHistory(LPCWSTR url) {
  if (!url || !*url) return E_INVALIDARG;
  std::u16string address(url);
  if (address.size() > kAddressHistoryMaxLength || address.find_first_of(u"\r\n") != std::u16string::npos ||
      address.rfind(u"about:", 0) == 0)
    return E_INVALIDARG;
  return quorla::RecordAddressInHistory(address) ? S_OK : E_FAIL;
}
