#include "page_charset.h"

#include "shopping/text_conversions.h"
#include "win/text_encoding.h"

std::u16string DecodePageBytes(const char* bytes) {
  std::u16string ansi = AcpToWide(bytes);
  if (ansi.find(u"charset=utf-8") != std::u16string::npos) return Utf8ToWide(bytes);
  // Where the ANSI code page is 936 already, the text searched is the page.
  if (GetACP() == CP_GBK) return ansi;
  return ChinaAcpToWide(bytes);
}
