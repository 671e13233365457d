#include "win/crt_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "utf.h"

namespace {

enum class Size { kDefault, kShort, kLong, kLongLong, kSizeT };

struct Spec {
  bool left = false;
  bool zero = false;
  bool plus = false;
  bool space = false;
  int width = 0;
  int precision = -1;
  Size size = Size::kDefault;
  bool narrowText = false;  // %S, %hs
};

void Pad(std::u16string& out, std::size_t n, char16_t c) { out.append(n, c); }

// Appends body (sign and prefix already inside) padded to the width.
void Emit(std::u16string& out, const Spec& spec, std::u16string_view sign, std::u16string_view body,
          bool zeroPaddable) {
  std::size_t len = sign.size() + body.size();
  std::size_t width = spec.width > 0 ? static_cast<std::size_t>(spec.width) : 0;
  std::size_t fill = width > len ? width - len : 0;
  if (spec.left) {
    out += sign;
    out += body;
    Pad(out, fill, u' ');
  } else if (spec.zero && zeroPaddable) {
    out += sign;
    Pad(out, fill, u'0');
    out += body;
  } else {
    Pad(out, fill, u' ');
    out += sign;
    out += body;
  }
}

std::u16string Ascii(const char* begin, const char* end) { return std::u16string(begin, end); }

void FormatInteger(std::u16string& out, const Spec& spec, char conv, va_list& args) {
  bool isSigned = conv == 'd' || conv == 'i';
  unsigned long long magnitude = 0;
  bool negative = false;
  if (isSigned) {
    long long v;
    switch (spec.size) {
      case Size::kLongLong: v = va_arg(args, long long); break;
      case Size::kSizeT: v = static_cast<long long>(va_arg(args, std::ptrdiff_t)); break;
      case Size::kShort: v = static_cast<short>(va_arg(args, int)); break;
      default: v = va_arg(args, int); break;  // LONG is 32-bit on every host
    }
    negative = v < 0;
    magnitude = negative ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
  } else {
    switch (spec.size) {
      case Size::kLongLong: magnitude = va_arg(args, unsigned long long); break;
      case Size::kSizeT: magnitude = va_arg(args, std::size_t); break;
      case Size::kShort: magnitude = static_cast<unsigned short>(va_arg(args, unsigned)); break;
      default: magnitude = va_arg(args, unsigned); break;
    }
  }
  int base = conv == 'x' || conv == 'X' ? 16 : conv == 'o' ? 8 : 10;
  char digits[32];
  auto r = std::to_chars(digits, digits + sizeof digits, magnitude, base);
  std::u16string body = Ascii(digits, r.ptr);
  if (conv == 'X') std::transform(body.begin(), body.end(), body.begin(), [](char16_t c) {
      return c >= u'a' && c <= u'f' ? static_cast<char16_t>(c - 32) : c;
    });
  if (spec.precision >= 0) {
    if (spec.precision == 0 && magnitude == 0) body.clear();
    if (body.size() < static_cast<std::size_t>(spec.precision)) body.insert(0, spec.precision - body.size(), u'0');
  }
  std::u16string_view sign = negative ? u"-" : (isSigned && spec.plus) ? u"+" : (isSigned && spec.space) ? u" " : u"";
  Emit(out, spec, sign, body, spec.precision < 0);
}

void FormatFloat(std::u16string& out, const Spec& spec, char conv, va_list& args) {
  double v = va_arg(args, double);
  bool negative = std::signbit(v);
  double magnitude = std::fabs(v);
  std::u16string body;
  bool finite = std::isfinite(v);
  if (!finite) {
    body = std::isnan(v) ? u"nan" : u"inf";
  } else {
    int precision = spec.precision < 0 ? 6 : spec.precision;
    std::chars_format fmt = conv == 'f' ? std::chars_format::fixed
                            : conv == 'e' || conv == 'E' ? std::chars_format::scientific
                                                         : std::chars_format::general;
    if ((conv == 'g' || conv == 'G') && precision == 0) precision = 1;
    std::string buf(400 + static_cast<std::size_t>(std::min(precision, 4000)), '\0');
    auto r = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude, fmt, std::min(precision, 4000));
    body = Ascii(buf.data(), r.ptr);
  }
  if (conv == 'E' || conv == 'G') {
    for (char16_t& c : body) c = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
  }
  std::u16string_view sign = negative ? u"-" : spec.plus ? u"+" : spec.space ? u" " : u"";
  Emit(out, spec, sign, body, finite);
}

void FormatText(std::u16string& out, const Spec& spec, va_list& args) {
  std::u16string body;
  if (spec.narrowText) {
    const char* s = va_arg(args, const char*);
    body = s ? quorla::Utf8ToUtf16(s) : u"(null)";
  } else {
    LPCWSTR s = va_arg(args, LPCWSTR);
    body = s ? s : u"(null)";
  }
  if (spec.precision >= 0 && body.size() > static_cast<std::size_t>(spec.precision)) body.resize(spec.precision);
  Emit(out, spec, u"", body, false);
}

// Formats the whole text; the callers cut it to their buffers.
std::u16string Format(LPCWSTR format, va_list args) {
  std::u16string out;
  if (!format) return out;
  va_list ap;
  va_copy(ap, args);
  for (LPCWSTR p = format; *p;) {
    if (*p != u'%') {
      out += *p++;
      continue;
    }
    LPCWSTR start = p++;
    if (*p == u'%') {
      out += u'%';
      ++p;
      continue;
    }
    Spec spec;
    for (;; ++p) {
      if (*p == u'-') spec.left = true;
      else if (*p == u'0') spec.zero = true;
      else if (*p == u'+') spec.plus = true;
      else if (*p == u' ') spec.space = true;
      else if (*p == u'#') continue;
      else break;
    }
    if (*p == u'*') {
      spec.width = va_arg(ap, int);
      if (spec.width < 0) spec.left = true, spec.width = -spec.width;
      ++p;
    } else {
      while (*p >= u'0' && *p <= u'9') spec.width = std::min(spec.width * 10 + (*p++ - u'0'), 1 << 20);
    }
    if (*p == u'.') {
      ++p;
      spec.precision = 0;
      if (*p == u'*') {
        spec.precision = va_arg(ap, int);
        if (spec.precision < 0) spec.precision = -1;
        ++p;
      } else {
        while (*p >= u'0' && *p <= u'9') spec.precision = std::min(spec.precision * 10 + (*p++ - u'0'), 1 << 20);
      }
    }
    if (*p == u'h') {
      spec.size = Size::kShort;
      spec.narrowText = true;  // %hs; %hd is a short
      ++p;
    } else if (*p == u'l') {
      ++p;
      spec.size = Size::kLong;
      if (*p == u'l') spec.size = Size::kLongLong, ++p;
    } else if (*p == u'z') {
      spec.size = Size::kSizeT;
      ++p;
    } else if (p[0] == u'I' && p[1] == u'6' && p[2] == u'4') {
      spec.size = Size::kLongLong;
      p += 3;
    } else if (p[0] == u'I' && p[1] == u'3' && p[2] == u'2') {
      p += 3;
    }
    char conv = *p < 0x80 ? static_cast<char>(*p) : '\0';
    if (*p) ++p;
    switch (conv) {
      case 'd': case 'i': case 'u': case 'x': case 'X': case 'o':
        FormatInteger(out, spec, conv, ap);
        break;
      case 'f': case 'F': case 'e': case 'E': case 'g': case 'G':
        FormatFloat(out, spec, conv == 'F' ? 'f' : conv, ap);
        break;
      case 's':
        if (spec.size != Size::kShort) spec.narrowText = false;
        FormatText(out, spec, ap);
        break;
      case 'S':
        spec.narrowText = true;
        FormatText(out, spec, ap);
        break;
      case 'c': {
        char16_t c = static_cast<char16_t>(va_arg(ap, int));
        Emit(out, spec, u"", std::u16string_view(&c, 1), false);
        break;
      }
      case 'p': {
        Spec hex = spec;
        hex.size = Size::kSizeT;
        hex.precision = 2 * static_cast<int>(sizeof(void*));
        FormatInteger(out, hex, 'X', ap);
        break;
      }
      default:
        // An unknown conversion is written as it stands.
        out.append(start, p);
        break;
    }
  }
  va_end(ap);
  return out;
}

}  // namespace

int _vsnwprintf(LPWSTR buffer, std::size_t count, LPCWSTR format, va_list args) {
  std::u16string text = Format(format, args);
  if (!buffer) return count == 0 ? static_cast<int>(text.size()) : -1;
  std::size_t n = std::min(count, text.size());
  std::copy_n(text.data(), n, buffer);
  if (text.size() < count) {
    buffer[text.size()] = 0;
    return static_cast<int>(text.size());
  }
  return text.size() == count ? static_cast<int>(count) : -1;
}

int _snwprintf(LPWSTR buffer, std::size_t count, LPCWSTR format, ...) {
  va_list args;
  va_start(args, format);
  int r = _vsnwprintf(buffer, count, format, args);
  va_end(args);
  return r;
}

HRESULT StringCchVPrintfW(LPWSTR buffer, std::size_t size, LPCWSTR format, va_list args) {
  if (!buffer || size == 0) return STRSAFE_E_INVALID_PARAMETER;
  std::u16string text = Format(format, args);
  std::size_t n = std::min(size - 1, text.size());
  std::copy_n(text.data(), n, buffer);
  buffer[n] = 0;
  return n == text.size() ? S_OK : STRSAFE_E_INSUFFICIENT_BUFFER;
}

HRESULT StringCchPrintfW(LPWSTR buffer, std::size_t size, LPCWSTR format, ...) {
  va_list args;
  va_start(args, format);
  HRESULT hr = StringCchVPrintfW(buffer, size, format, args);
  va_end(args);
  return hr;
}
