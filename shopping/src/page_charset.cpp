#include "page_charset.h"

#include <string_view>

#include "shopping/text_conversions.h"
#include "win/text_encoding.h"

namespace {

constexpr std::string_view kDeclaration = "charset=utf-8";

// Whether the ANSI reading of the bytes holds the declaration. Code page
// 936 gives ASCII letters only for single ASCII bytes, so the declaration
// can only stand where its bytes do, unless a two-byte character swallowed
// its first letter. Reading the bytes up to the first such place tells
// (they end in "8", which never starts or ends a two-byte character);
// when that place does not hold it, the whole reading decides.
bool DeclaresUtf8(const char* bytes) {
  if (!bytes) return false;
  std::string_view raw(bytes);
  std::size_t at = raw.find(kDeclaration);
  if (at == std::string_view::npos) return false;
  std::string prefix(raw.substr(0, at + kDeclaration.size()));
  std::u16string text = AcpToWide(prefix.c_str());
  if (text.size() >= kDeclaration.size() &&
      text.compare(text.size() - kDeclaration.size(), kDeclaration.size(), u"charset=utf-8") == 0)
    return true;
  return AcpToWide(bytes).find(u"charset=utf-8") != std::u16string::npos;
}

}  // namespace

std::u16string DecodePageBytes(const char* bytes) {
  return DeclaresUtf8(bytes) ? Utf8ToWide(bytes) : ChinaAcpToWide(bytes);
}
