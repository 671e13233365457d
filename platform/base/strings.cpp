#include "win/strings.h"

#include <locale.h>
#include <wctype.h>

#include <array>

namespace {

// Case tables for the Basic Multilingual Plane, built once from the C.UTF-8
// locale's Unicode mappings so that no process locale changes the result.
struct CaseTables {
  std::array<char16_t, 0x10000> upper;
  std::array<char16_t, 0x10000> lower;
  CaseTables() {
    locale_t loc = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    for (unsigned c = 0; c < 0x10000; ++c) {
      upper[c] = lower[c] = static_cast<char16_t>(c);
      if (c >= 0xD800 && c <= 0xDFFF) continue;
      if (loc) {
        wint_t u = towupper_l(static_cast<wint_t>(c), loc);
        wint_t l = towlower_l(static_cast<wint_t>(c), loc);
        if (u < 0x10000) upper[c] = static_cast<char16_t>(u);
        if (l < 0x10000) lower[c] = static_cast<char16_t>(l);
      } else if (c < 0x80) {
        if (c >= 'a' && c <= 'z') upper[c] = static_cast<char16_t>(c - 32);
        if (c >= 'A' && c <= 'Z') lower[c] = static_cast<char16_t>(c + 32);
      }
    }
    if (loc) freelocale(loc);
  }
};

const CaseTables& Tables() {
  static const CaseTables tables;
  return tables;
}

int CompareUnits(LPCWSTR a, LPCWSTR b, long n, bool ignoreCase) {
  if (!a || !b) return a == b ? 0 : (a ? 1 : -1);
  const CaseTables* t = ignoreCase ? &Tables() : nullptr;
  for (long i = 0; n < 0 || i < n; ++i) {
    WCHAR ca = a[i];
    WCHAR cb = b[i];
    if (t) {
      ca = t->upper[ca];
      cb = t->upper[cb];
    }
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 0) return 0;
  }
  return 0;
}

}  // namespace

WCHAR QuorlaUpperUnit(WCHAR c) { return Tables().upper[c]; }
WCHAR QuorlaLowerUnit(WCHAR c) { return Tables().lower[c]; }

int lstrlenW(LPCWSTR s) {
  if (!s) return 0;
  int n = 0;
  while (s[n]) ++n;
  return n;
}

LPWSTR lstrcpynW(LPWSTR dst, LPCWSTR src, int max) {
  if (!dst || max <= 0) return dst;
  int i = 0;
  if (src) {
    for (; i < max - 1 && src[i]; ++i) dst[i] = src[i];
  }
  dst[i] = 0;
  return dst;
}

LPWSTR lstrcpyW(LPWSTR dst, LPCWSTR src) {
  if (!dst || !src) return nullptr;
  int i = 0;
  for (; src[i]; ++i) dst[i] = src[i];
  dst[i] = 0;
  return dst;
}

LPWSTR lstrcatW(LPWSTR dst, LPCWSTR src) {
  if (!dst || !src) return nullptr;
  lstrcpyW(dst + lstrlenW(dst), src);
  return dst;
}

int lstrcmpW(LPCWSTR a, LPCWSTR b) { return CompareUnits(a, b, -1, false); }
int lstrcmpiW(LPCWSTR a, LPCWSTR b) { return CompareUnits(a, b, -1, true); }
int StrCmpW(LPCWSTR a, LPCWSTR b) { return CompareUnits(a, b, -1, false); }
int StrCmpIW(LPCWSTR a, LPCWSTR b) { return CompareUnits(a, b, -1, true); }
int StrCmpNW(LPCWSTR a, LPCWSTR b, int n) { return n <= 0 ? 0 : CompareUnits(a, b, n, false); }
int StrCmpNIW(LPCWSTR a, LPCWSTR b, int n) { return n <= 0 ? 0 : CompareUnits(a, b, n, true); }

LPWSTR StrChrW(LPCWSTR s, WCHAR c) {
  if (!s) return nullptr;
  for (; *s; ++s) {
    if (*s == c) return const_cast<LPWSTR>(s);
  }
  return nullptr;
}

LPWSTR StrRChrW(LPCWSTR s, LPCWSTR end, WCHAR c) {
  if (!s) return nullptr;
  if (!end) end = s + lstrlenW(s);
  LPCWSTR found = nullptr;
  for (LPCWSTR p = s; p < end && *p; ++p) {
    if (*p == c) found = p;
  }
  return const_cast<LPWSTR>(found);
}

namespace {
LPWSTR FindText(LPCWSTR s, LPCWSTR find, bool ignoreCase) {
  if (!s || !find) return nullptr;
  int n = lstrlenW(find);
  if (n == 0) return const_cast<LPWSTR>(s);
  for (; *s; ++s) {
    if (CompareUnits(s, find, n, ignoreCase) == 0) return const_cast<LPWSTR>(s);
  }
  return nullptr;
}
}  // namespace

LPWSTR StrStrW(LPCWSTR s, LPCWSTR find) { return FindText(s, find, false); }
LPWSTR StrStrIW(LPCWSTR s, LPCWSTR find) { return FindText(s, find, true); }

LPWSTR CharUpperW(LPWSTR s) {
  if (!s) return s;
  for (LPWSTR p = s; *p; ++p) *p = QuorlaUpperUnit(*p);
  return s;
}

LPWSTR CharLowerW(LPWSTR s) {
  if (!s) return s;
  for (LPWSTR p = s; *p; ++p) *p = QuorlaLowerUnit(*p);
  return s;
}
