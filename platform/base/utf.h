#pragma once
// Conversions between the system's UTF-16 text and the host's UTF-8 (file
// names, library arguments). Invalid sequences become U+FFFD.
#include <string>
#include <string_view>

#include "win/types.h"

namespace quorla {

std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);
// Null-terminated UTF-16 to UTF-8; null gives an empty text.
std::string Utf16ToUtf8(LPCWSTR text);

}  // namespace quorla
