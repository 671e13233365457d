#include "search_address.h"

#include <vector>

#include "win/crt_format.h"
#include "win/text_encoding.h"

CString SearchPrefix(int site) {
  switch (site) {
    case ID_SEARCH_TAOBAO: return u"http://s.taobao.com/search?q=";
    case ID_SEARCH_JD: return u"http://search.jd.com/Search?keyword=";
    case ID_SEARCH_DANGDANG: return u"http://search.dangdang.com/search.php?key=";
    default: return CString();
  }
}

CString MakeSearchAddress(int site, const CString& text, BOOL showsHint) {
  CString address = SearchPrefix(site);
  if (text.IsEmpty() || showsHint || address.IsEmpty()) return CString();
  const int size = WideCharToMultiByte(CP_THREAD_ACP, 0, text, text.GetLength(), nullptr, 0, nullptr, nullptr);
  if (size <= 0) return CString();
  std::vector<char> bytes(static_cast<size_t>(size));
  WideCharToMultiByte(CP_THREAD_ACP, 0, text, text.GetLength(), bytes.data(), size, nullptr, nullptr);
  for (char byte : bytes) {
    WCHAR escaped[4] = {};
    _snwprintf(escaped, 4, u"%%%02X", static_cast<unsigned>(static_cast<unsigned char>(byte)));
    address += escaped;
  }
  return address;
}
