#include "mutex_name.h"

#include "utf.h"
#include "win/last_error.h"

namespace quorla {

namespace {

bool HasLoneSurrogate(LPCWSTR name) {
  for (; *name; ++name) {
    if (*name >= 0xD800 && *name <= 0xDBFF) {
      if (name[1] < 0xDC00 || name[1] > 0xDFFF) return true;
      ++name;
    } else if (*name >= 0xDC00 && *name <= 0xDFFF) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::string MutexFileName(LPCWSTR name, DWORD* error) {
  constexpr size_t kLongestFileName = 255;
  static const char kHex[] = "0123456789ABCDEF";
  if (HasLoneSurrogate(name)) {
    *error = ERROR_INVALID_NAME;
    return {};
  }
  std::string file = "mutex-";
  for (unsigned char byte : Utf16ToUtf8(name)) {
    const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
                       byte == '-' || byte == '_' || byte >= 0x80;
    if (plain) {
      file += static_cast<char>(byte);
    } else {
      file += '%';
      file += kHex[byte >> 4];
      file += kHex[byte & 0xF];
    }
    if (file.size() > kLongestFileName) {
      *error = ERROR_FILENAME_EXCED_RANGE;
      return {};
    }
  }
  return file;
}

}  // namespace quorla
