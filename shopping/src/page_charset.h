#pragma once
// The text of a downloaded product page. The bytes (up to the first zero)
// are read in the thread's ANSI code page and searched for "charset=utf-8"
// with exactly that case: found, the page is decoded as UTF-8; otherwise as
// code page 936. So a page that declares "charset=UTF-8" in capitals is read
// as 936. Any thread.
#include <string>

std::u16string DecodePageBytes(const char* bytes);
