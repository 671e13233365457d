// The code page a downloaded page is read in, over arbitrary bytes: always
// the one the page's ANSI reading declares, however the declaration's bytes
// sit among two-byte characters.
#include <cstdint>
#include <string>

#include "page_charset.h"
#include "shopping/text_conversions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  bool declared = AcpToWide(bytes.c_str()).find(u"charset=utf-8") != std::u16string::npos;
  std::u16string expected = declared ? Utf8ToWide(bytes.c_str()) : ChinaAcpToWide(bytes.c_str());
  if (DecodePageBytes(bytes.c_str()) != expected) __builtin_trap();
  return 0;
}
