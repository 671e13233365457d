#include <errno.h>
#include <iconv.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "utf.h"
#include "win/last_error.h"
#include "win/text_encoding.h"

namespace {

thread_local LCID t_threadLocale = LOCALE_ZH_CN;

enum class Encoding { kUnknown, kUtf8, kGbk };

Encoding EncodingOf(UINT codePage) {
  switch (codePage) {
    case CP_ACP:
    case CP_OEMCP:
    case CP_THREAD_ACP:
    case CP_GBK:
      return Encoding::kGbk;
    case CP_UTF8:
      return Encoding::kUtf8;
    default:
      return Encoding::kUnknown;
  }
}

// One converter per direction and thread: iconv descriptors keep state and
// must not be shared between threads.
class IconvHandle {
 public:
  IconvHandle(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
  ~IconvHandle() {
    if (valid()) iconv_close(m_cd);
  }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;
  bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() {
    iconv(m_cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    return m_cd;
  }

 private:
  iconv_t m_cd;
};

IconvHandle& GbkDecoder() {
  thread_local IconvHandle handle("UTF-16LE", "CP936");
  return handle;
}

IconvHandle& GbkEncoder() {
  thread_local IconvHandle handle("CP936", "UTF-16LE");
  return handle;
}

// Decodes GBK; every byte that does not start a valid sequence becomes one
// U+FFFD, and decoding goes on with the next byte, so an ASCII byte after a
// broken lead byte is never swallowed. Returns false when invalid bytes were
// met.
bool DecodeGbk(const char* bytes, std::size_t n, std::u16string& out) {
  IconvHandle& handle = GbkDecoder();
  if (!handle.valid()) {
    out.clear();
    return false;
  }
  out.assign(n + 1, u'\0');
  iconv_t cd = handle.get();
  char* in = const_cast<char*>(bytes);
  std::size_t inLeft = n;
  char* dst = reinterpret_cast<char*>(out.data());
  std::size_t outLeft = out.size() * sizeof(char16_t);
  bool clean = true;
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &dst, &outLeft) != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG || outLeft < sizeof(char16_t)) break;  // cannot happen: one unit per byte at most
    clean = false;
    char16_t replacement = u'\uFFFD';
    std::memcpy(dst, &replacement, sizeof replacement);
    dst += sizeof replacement;
    outLeft -= sizeof replacement;
    ++in;
    --inLeft;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  out.resize((out.size() * sizeof(char16_t) - outLeft) / sizeof(char16_t));
  return clean;
}

// Encodes GBK; a unit (or surrogate pair) without a GBK form becomes
// defaultChar. Returns whether the default was used.
bool EncodeGbk(const char16_t* text, std::size_t n, char defaultChar, std::string& out) {
  IconvHandle& handle = GbkEncoder();
  if (!handle.valid()) {
    out.assign(n, defaultChar);
    return n > 0;
  }
  out.assign(2 * n + 2, '\0');
  iconv_t cd = handle.get();
  char* in = reinterpret_cast<char*>(const_cast<char16_t*>(text));
  std::size_t inLeft = n * sizeof(char16_t);
  char* dst = out.data();
  std::size_t outLeft = out.size();
  bool usedDefault = false;
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &dst, &outLeft) != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG || outLeft == 0) break;  // cannot happen: two bytes per unit at most
    usedDefault = true;
    *dst++ = defaultChar;
    --outLeft;
    char16_t unit;
    std::memcpy(&unit, in, sizeof unit);
    std::size_t skip = sizeof(char16_t);
    if (unit >= 0xD800 && unit <= 0xDBFF && inLeft >= 2 * sizeof(char16_t)) {
      char16_t next;
      std::memcpy(&next, in + sizeof unit, sizeof next);
      if (next >= 0xDC00 && next <= 0xDFFF) skip *= 2;
    }
    skip = std::min(skip, inLeft);
    in += skip;
    inLeft -= skip;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  out.resize(out.size() - outLeft);
  return usedDefault;
}

template <class Unit, class Text>
int CopyOut(const Text& result, Unit* out, int size) {
  if (result.size() > static_cast<std::size_t>(0x7FFFFFFF)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  int needed = static_cast<int>(result.size());
  if (size == 0) return needed;
  if (!out || size < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::copy(result.begin(), result.end(), out);
  return needed;
}

}  // namespace

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR bytes, int count, LPWSTR out, int size) {
  Encoding encoding = EncodingOf(codePage);
  if (encoding == Encoding::kUnknown || !bytes || count == 0 || count < -1 || size < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::size_t n = count == -1 ? std::strlen(bytes) + 1 : static_cast<std::size_t>(count);
  std::u16string result;
  bool clean;
  if (encoding == Encoding::kUtf8) {
    std::string_view input(bytes, n);
    result = quorla::Utf8ToUtf16(input);
    clean = (flags & MB_ERR_INVALID_CHARS) == 0 || quorla::Utf16ToUtf8(std::u16string_view(result)) == input;
  } else {
    clean = DecodeGbk(bytes, n, result);
  }
  if (!clean && (flags & MB_ERR_INVALID_CHARS)) {
    SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return 0;
  }
  return CopyOut(result, out, size);
}

int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR text, int count, LPSTR out, int size,
                        LPCSTR defaultChar, LPBOOL usedDefaultChar) {
  Encoding encoding = EncodingOf(codePage);
  if (encoding == Encoding::kUnknown || !text || count == 0 || count < -1 || size < 0 ||
      (encoding == Encoding::kUtf8 && (defaultChar || usedDefaultChar))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::size_t n = count == -1 ? static_cast<std::size_t>(std::char_traits<char16_t>::length(text)) + 1
                              : static_cast<std::size_t>(count);
  std::string result;
  if (encoding == Encoding::kUtf8) {
    std::u16string_view input(text, n);
    result = quorla::Utf16ToUtf8(input);
    if ((flags & WC_ERR_INVALID_CHARS) && quorla::Utf8ToUtf16(result) != input) {
      SetLastError(ERROR_NO_UNICODE_TRANSLATION);
      return 0;
    }
  } else {
    bool used = EncodeGbk(text, n, defaultChar ? *defaultChar : '?', result);
    if (usedDefaultChar) *usedDefaultChar = used ? TRUE : FALSE;
  }
  return CopyOut(result, out, size);
}

UINT GetACP() { return CP_GBK; }

LCID GetThreadLocale() { return t_threadLocale; }

BOOL SetThreadLocale(LCID locale) {
  t_threadLocale = locale;
  return TRUE;
}
