// The private-profile text reader and line writer over arbitrary bytes: no
// crash, and a value that was set reads back as set.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "profile_text.h"

namespace {

// A name or value made of the fuzzer's bytes, kept free of what may not stand
// in it (line breaks, '=', ']', blanks and quotes at its ends).
std::u16string Token(const uint8_t*& data, size_t& size, size_t length) {
  std::u16string token;
  while (size > 0 && token.size() < length) {
    char16_t unit = static_cast<char16_t>(u'a' + data[0] % 26);
    if (data[0] >= 0xF0) unit = u'价';
    token += unit;
    ++data;
    --size;
  }
  return token.empty() ? u"k" : token;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const size_t sectionLength = 1 + data[0] % 6, keyLength = 1 + data[1] % 6, valueLength = data[2] % 8;
  data += 3;
  size -= 3;
  const std::u16string section = Token(data, size, sectionLength);
  const std::u16string key = Token(data, size, keyLength);
  const std::u16string value = valueLength ? Token(data, size, valueLength) : u"";
  const std::string text(reinterpret_cast<const char*>(data), size);

  quorla::ProfileText profile(text);
  (void)profile.Find(section, key);
  profile.Set(section, key, value);
  quorla::ProfileText reread(profile.Bytes());
  auto found = reread.Find(section, key);
  if (!found || *found != value) std::abort();
  return 0;
}
