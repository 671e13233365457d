#include "shopping/text_conversions.h"

#include <new>

#include "win/text_encoding.h"

namespace {

// Chinese (PRC) with the stroke sort order, whose ANSI code page is 936.
constexpr LCID kChinaLocale = 0x20804;

std::u16string Decode(UINT codePage, const char* bytes) {
  if (!bytes || !*bytes) return {};
  int n = MultiByteToWideChar(codePage, 0, bytes, -1, nullptr, 0);
  if (n <= 1) return {};
  std::u16string text(static_cast<std::size_t>(n), u'\0');
  n = MultiByteToWideChar(codePage, 0, bytes, -1, text.data(), n);
  text.resize(n > 0 ? static_cast<std::size_t>(n - 1) : 0);  // without the terminator
  return text;
}

std::string Encode(UINT codePage, LPCWSTR text) {
  if (!text || !*text) return {};
  int n = WideCharToMultiByte(codePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return {};
  std::string bytes(static_cast<std::size_t>(n), '\0');
  n = WideCharToMultiByte(codePage, 0, text, -1, bytes.data(), n, nullptr, nullptr);
  bytes.resize(n > 0 ? static_cast<std::size_t>(n - 1) : 0);
  return bytes;
}

// Runs f under the Chinese (PRC) thread locale and restores the previous one.
template <class F>
auto UnderChinaLocale(F f) {
  LCID previous = GetThreadLocale();
  SetThreadLocale(kChinaLocale);
  auto result = f();
  SetThreadLocale(previous);
  return result;
}

}  // namespace

std::u16string Utf8ToWide(const char* bytes) { return Decode(CP_UTF8, bytes); }

std::u16string AcpToWide(const char* bytes) { return Decode(CP_THREAD_ACP, bytes); }

std::u16string ChinaAcpToWide(const char* bytes) {
  return UnderChinaLocale([bytes] { return Decode(CP_THREAD_ACP, bytes); });
}

std::string WideToChinaAcp(LPCWSTR text) {
  return UnderChinaLocale([text] { return Encode(CP_THREAD_ACP, text); });
}

bool WideToUtf8(LPCWSTR text, char** bytes, int* length) {
  if (!bytes || !length || !text) return false;
  int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return false;  // an empty text yields no bytes
  char* out = new (std::nothrow) char[static_cast<std::size_t>(n)];
  if (!out) return false;
  if (WideCharToMultiByte(CP_UTF8, 0, text, -1, out, n, nullptr, nullptr) != n) {
    delete[] out;
    return false;
  }
  *bytes = out;
  *length = n;
  return true;
}
