#include "dump_file.h"

#include <errno.h>
#include <unistd.h>

namespace dbghelp {
namespace {

char16_t g_wide[512];

// Calls take for each UTF-16 unit of the UTF-8 text (U+FFFD for bad bytes).
void ForEachUnit(const char* utf8, void (*take)(char16_t, void*), void* context) {
  const auto* p = reinterpret_cast<const unsigned char*>(utf8);
  while (*p) {
    unsigned cp = *p;
    int extra = cp >= 0xF0 ? 3 : cp >= 0xE0 ? 2 : cp >= 0xC0 ? 1 : 0;
    if (cp >= 0x80 && cp < 0xC0) extra = -1;
    cp &= extra == 3 ? 0x07 : extra == 2 ? 0x0F : extra == 1 ? 0x1F : 0x7F;
    ++p;
    for (int i = 0; i < extra; ++i, ++p) {
      if ((*p & 0xC0) != 0x80) {
        extra = -1;
        break;
      }
      cp = (cp << 6) | (*p & 0x3F);
    }
    if (extra < 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) cp = 0xFFFD;
    if (cp >= 0x10000) {
      take(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)), context);
      take(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)), context);
    } else {
      take(static_cast<char16_t>(cp), context);
    }
  }
}

}  // namespace

uint32_t DumpFile::Write(const void* data, size_t size) {
  uint32_t at = Here();
  WriteAt(offset_, data, size);
  offset_ += size;
  return at;
}

void DumpFile::WriteAt(uint64_t at, const void* data, size_t size) {
  const auto* bytes = static_cast<const char*>(data);
  while (ok_ && size > 0) {
    ssize_t n = ::pwrite(fd_, bytes, size, static_cast<off_t>(at));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok_ = false;
      return;
    }
    bytes += n;
    at += static_cast<uint64_t>(n);
    size -= static_cast<size_t>(n);
  }
}

void DumpFile::Align(size_t to) {
  static const char zeros[16] = {};
  if (offset_ % to) Write(zeros, to - offset_ % to);
}

uint32_t DumpFile::WriteString(const char* utf8) {
  Align(4);
  uint32_t units = 0;
  ForEachUnit(utf8, [](char16_t, void* count) { ++*static_cast<uint32_t*>(count); }, &units);
  uint32_t bytes = units * 2;
  uint32_t at = Write(&bytes, sizeof bytes);
  pending_ = 0;
  ForEachUnit(utf8, [](char16_t unit, void* self) { static_cast<DumpFile*>(self)->PutUnit(unit); }, this);
  PutUnit(0);
  Flush();
  return at;
}

void DumpFile::Truncate() {
  if (ok_) ::ftruncate(fd_, static_cast<off_t>(offset_));
}

void DumpFile::PutUnit(char16_t unit) {
  g_wide[pending_++] = unit;
  if (pending_ == sizeof g_wide / sizeof g_wide[0]) Flush();
}

void DumpFile::Flush() {
  Write(g_wide, pending_ * sizeof(char16_t));
  pending_ = 0;
}

}  // namespace dbghelp
