#pragma once
// Text conversions between the system's UTF-16 text, UTF-8 and the ANSI code
// page (936), shared by the shopping library and both programs. Any thread;
// the code-page ones change only the calling thread's locale, and only for
// the length of the call.
#include <string>

#include "win/types.h"

// Bytes up to the first zero, as UTF-8; null gives an empty text.
std::u16string Utf8ToWide(const char* bytes);
// Bytes up to the first zero, in the calling thread's ANSI code page.
std::u16string AcpToWide(const char* bytes);
// Bytes up to the first zero, in code page 936 (the thread's ANSI code page
// under the Chinese (PRC) locale).
std::u16string ChinaAcpToWide(const char* bytes);
// Text in code page 936; null gives an empty text.
std::string WideToChinaAcp(LPCWSTR text);
// UTF-8 of the whole text with a zero byte after it: *bytes gets a new array
// (the caller frees it with delete[]) and *length its size, the zero
// included. False, with nothing returned, when an output pointer is null,
// memory runs out, or the text is null or empty.
bool WideToUtf8(LPCWSTR text, char** bytes, int* length);
