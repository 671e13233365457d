#include "win/url_parts.h"

#include <algorithm>
#include <string_view>

#include "win/hresult.h"

namespace {

bool IsAsciiLetter(WCHAR c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsSchemeUnit(WCHAR c) { return IsAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.'; }

// Length of the scheme of url (before its ':'), or 0 when url has none. A
// single letter is a drive ("c:\..."), not a scheme.
std::size_t SchemeLength(std::u16string_view url) {
  if (url.empty() || !IsAsciiLetter(url[0])) return 0;
  std::size_t i = 1;
  while (i < url.size() && IsSchemeUnit(url[i])) ++i;
  if (i >= url.size() || url[i] != u':' || i < 2) return 0;
  return i;
}

// The host of url, or an empty view when it has none.
std::u16string_view HostOf(std::u16string_view url, std::size_t schemeLength) {
  std::u16string_view rest = url.substr(schemeLength + 1);
  auto isSlash = [](WCHAR c) { return c == u'/' || c == u'\\'; };
  if (rest.size() < 2 || !isSlash(rest[0]) || !isSlash(rest[1])) return {};
  rest.remove_prefix(2);
  std::size_t authorityEnd = std::min(rest.size(), rest.find_first_of(u"/\\?#"));
  std::u16string_view authority = rest.substr(0, authorityEnd);
  std::size_t at = authority.rfind(u'@');
  if (at != std::u16string_view::npos) authority.remove_prefix(at + 1);
  if (!authority.empty() && authority[0] == u'[') {
    std::size_t close = authority.find(u']');
    return close == std::u16string_view::npos ? authority : authority.substr(0, close + 1);
  }
  return authority.substr(0, std::min(authority.size(), authority.find(u':')));
}

HRESULT CopyPart(std::u16string_view part, LPWSTR out, DWORD* size) {
  if (part.empty()) return E_FAIL;
  if (part.size() + 1 > *size) {
    *size = static_cast<DWORD>(part.size() + 1);
    return E_POINTER;
  }
  std::copy(part.begin(), part.end(), out);
  out[part.size()] = 0;
  *size = static_cast<DWORD>(part.size());
  return S_OK;
}

}  // namespace

HRESULT UrlGetPartW(LPCWSTR url, LPWSTR out, DWORD* size, DWORD part, DWORD flags) {
  if (!url || !out || !size || *size == 0) return E_INVALIDARG;
  std::u16string_view text(url);
  std::size_t scheme = SchemeLength(text);
  if (part != URL_PART_SCHEME && part != URL_PART_HOSTNAME) return E_NOTIMPL;
  if (scheme == 0) return E_FAIL;
  if (part == URL_PART_SCHEME) return CopyPart(text.substr(0, scheme), out, size);
  return CopyPart(HostOf(text, scheme), out, size);
}
