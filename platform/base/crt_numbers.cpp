#include "win/crt_numbers.h"

#include <cerrno>
#include <charconv>
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace {

bool IsDigit(WCHAR c) { return c >= u'0' && c <= u'9'; }

// Value of c as a digit in base, or -1.
int DigitValue(WCHAR c, int base) {
  int v = -1;
  if (c >= u'0' && c <= u'9') v = c - u'0';
  else if (c >= u'a' && c <= u'z') v = c - u'a' + 10;
  else if (c >= u'A' && c <= u'Z') v = c - u'A' + 10;
  return v >= 0 && v < base ? v : -1;
}

LPCWSTR SkipSpaces(LPCWSTR p) {
  while (QuorlaIsSpaceUnit(*p)) ++p;
  return p;
}

struct IntegerRead {
  ULONGLONG magnitude = 0;
  bool negative = false;
  bool overflow = false;  // the magnitude did not fit 64 bits
  LPCWSTR end = nullptr;  // null when no digit was read
};

IntegerRead ReadInteger(LPCWSTR text, int base) {
  IntegerRead r;
  if (!text) return r;
  if (base == 0) base = 10;
  if (base < 2 || base > 36) return r;
  LPCWSTR p = SkipSpaces(text);
  if (*p == u'+' || *p == u'-') r.negative = *p++ == u'-';
  LPCWSTR digits = p;
  for (int d; (d = DigitValue(*p, base)) >= 0; ++p) {
    if (r.magnitude > (std::numeric_limits<ULONGLONG>::max() - d) / base) r.overflow = true;
    else r.magnitude = r.magnitude * base + d;
  }
  if (p != digits) r.end = p;
  return r;
}

template <class T>
T Signed(const IntegerRead& r) {
  using U = std::make_unsigned_t<T>;
  const U limit = static_cast<U>(std::numeric_limits<T>::max()) + (r.negative ? 1 : 0);
  if (r.overflow || r.magnitude > limit) {
    errno = ERANGE;
    return r.negative ? std::numeric_limits<T>::min() : std::numeric_limits<T>::max();
  }
  return r.negative ? static_cast<T>(U(0) - static_cast<U>(r.magnitude)) : static_cast<T>(r.magnitude);
}

template <class T>
T Unsigned(const IntegerRead& r) {
  if (r.overflow || r.magnitude > std::numeric_limits<T>::max()) {
    errno = ERANGE;
    return std::numeric_limits<T>::max();
  }
  T v = static_cast<T>(r.magnitude);
  return r.negative ? static_cast<T>(T(0) - v) : v;
}

// Roughly the power of ten of a number written as digits[.digits][e[-]digits]:
// positive for values of 1 and more, otherwise not. Only its sign is used.
long long DecimalMagnitude(const std::string& number) {
  std::size_t ePos = number.find('e');
  std::string mantissa = number.substr(0, ePos);
  long long exponent = 0;
  if (ePos != std::string::npos) {
    std::string digits = number.substr(ePos + 1);
    bool minus = !digits.empty() && digits[0] == '-';
    if (minus) digits.erase(0, 1);
    for (char c : digits) exponent = std::min<long long>(exponent * 10 + (c - '0'), 1'000'000'000LL);
    if (minus) exponent = -exponent;
  }
  std::size_t point = mantissa.find('.');
  if (point == std::string::npos) point = mantissa.size();
  std::size_t first = mantissa.find_first_not_of("0.");
  if (first == std::string::npos) return -1;
  long long position = first < point ? static_cast<long long>(point - first) : -static_cast<long long>(first - point - 1);
  return position + exponent;
}

void SetEnd(LPWSTR* end, LPCWSTR text, LPCWSTR at) {
  if (end) *end = const_cast<LPWSTR>(at ? at : text);
}

}  // namespace

BOOL QuorlaIsSpaceUnit(WCHAR c) {
  if (c == u' ' || (c >= 0x09 && c <= 0x0D)) return TRUE;
  if (c < 0x85) return FALSE;
  return c == 0x85 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 ||
         c == 0x202F || c == 0x205F || c == 0x3000;
}

int _wtoi(LPCWSTR text) { return Signed<int>(ReadInteger(text, 10)); }
LONG _wtol(LPCWSTR text) { return Signed<LONG>(ReadInteger(text, 10)); }
LONGLONG _wtoi64(LPCWSTR text) { return Signed<LONGLONG>(ReadInteger(text, 10)); }

LONG _wcstol(LPCWSTR text, LPWSTR* end, int base) {
  IntegerRead r = ReadInteger(text, base);
  SetEnd(end, text, r.end);
  return r.end ? Signed<LONG>(r) : 0;
}

ULONG _wcstoul(LPCWSTR text, LPWSTR* end, int base) {
  IntegerRead r = ReadInteger(text, base);
  SetEnd(end, text, r.end);
  return r.end ? Unsigned<ULONG>(r) : 0;
}

LONGLONG _wcstoi64(LPCWSTR text, LPWSTR* end, int base) {
  IntegerRead r = ReadInteger(text, base);
  SetEnd(end, text, r.end);
  return r.end ? Signed<LONGLONG>(r) : 0;
}

ULONGLONG _wcstoui64(LPCWSTR text, LPWSTR* end, int base) {
  IntegerRead r = ReadInteger(text, base);
  SetEnd(end, text, r.end);
  return r.end ? Unsigned<ULONGLONG>(r) : 0;
}

double _wcstod(LPCWSTR text, LPWSTR* end) {
  SetEnd(end, text, nullptr);
  if (!text) return 0.0;
  LPCWSTR p = SkipSpaces(text);
  bool negative = false;
  if (*p == u'+' || *p == u'-') negative = *p++ == u'-';
  // The longest prefix that forms digits [. digits] [e [sign] digits], with at
  // least one digit in the mantissa.
  std::string number;
  LPCWSTR q = p;
  bool mantissaDigits = false;
  while (IsDigit(*q)) number += static_cast<char>(*q++), mantissaDigits = true;
  if (*q == u'.') {
    number += '.';
    ++q;
    while (IsDigit(*q)) number += static_cast<char>(*q++), mantissaDigits = true;
  }
  if (!mantissaDigits) return 0.0;
  if (*q == u'e' || *q == u'E') {
    LPCWSTR e = q + 1;
    if (*e == u'+' || *e == u'-') ++e;
    if (IsDigit(*e)) {
      number += 'e';
      if (q[1] == u'-') number += '-';
      q = e;
      while (IsDigit(*q)) number += static_cast<char>(*q++);
    }
  }
  double value = 0.0;
  auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    // from_chars leaves the value alone: tell overflow from underflow by the
    // decimal magnitude of the number.
    errno = ERANGE;
    value = DecimalMagnitude(number) > 0 ? HUGE_VAL : 0.0;
  }
  SetEnd(end, text, q);
  return negative ? -value : value;
}

double _wtof(LPCWSTR text) { return _wcstod(text, nullptr); }
