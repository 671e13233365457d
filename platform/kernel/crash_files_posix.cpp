// Files for the crash filter: plain system calls, fixed buffers, no table.
#include <fcntl.h>
#include <unistd.h>

#include "crash_state.h"
#include "open_flags.h"
#include "win/files.h"
#include "win/last_error.h"

namespace quorla {
namespace {

// Handle values of crash files: never multiples of four, so they cannot meet
// the handle table's values.
constexpr ULONG_PTR kCrashHandleTag = ULONG_PTR{1} << 40;

}  // namespace

size_t Utf16ToUtf8Bounded(LPCWSTR text, char* out, size_t outSize) {
  if (outSize == 0) return 0;
  size_t n = 0;
  for (; text && *text; ++text) {
    unsigned cp = *text;
    if (cp >= 0xD800 && cp < 0xDC00 && text[1] >= 0xDC00 && text[1] < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[1] - 0xDC00);
      ++text;
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = 0xFFFD;
    }
    char bytes[4];
    size_t count;
    if (cp < 0x80) {
      bytes[0] = static_cast<char>(cp);
      count = 1;
    } else if (cp < 0x800) {
      bytes[0] = static_cast<char>(0xC0 | (cp >> 6));
      bytes[1] = static_cast<char>(0x80 | (cp & 0x3F));
      count = 2;
    } else if (cp < 0x10000) {
      bytes[0] = static_cast<char>(0xE0 | (cp >> 12));
      bytes[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      bytes[2] = static_cast<char>(0x80 | (cp & 0x3F));
      count = 3;
    } else {
      bytes[0] = static_cast<char>(0xF0 | (cp >> 18));
      bytes[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      bytes[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      bytes[3] = static_cast<char>(0x80 | (cp & 0x3F));
      count = 4;
    }
    if (n + count >= outSize) break;
    for (size_t i = 0; i < count; ++i) out[n++] = bytes[i];
  }
  out[n] = 0;
  return n;
}

HANDLE CreateCrashFile(LPCWSTR path, DWORD access, DWORD creation) {
  static char host[4096];  // only the one crashing thread comes here
  size_t length = Utf16ToUtf8Bounded(path, host, sizeof host);
  if (length == 0) return INVALID_HANDLE_VALUE;
  for (size_t i = 0; i < length; ++i) {
    if (host[i] == '\\') host[i] = '/';
  }
  int flags = 0;
  if (!OpenFlagsFor(access, creation, &flags)) return INVALID_HANDLE_VALUE;
  int fd = ::open(host, flags, 0644);
  if (fd < 0) return INVALID_HANDLE_VALUE;
  return reinterpret_cast<HANDLE>(kCrashHandleTag | (static_cast<ULONG_PTR>(fd) << 2) | 2);
}

int CrashFileDescriptor(HANDLE handle) {
  auto value = reinterpret_cast<ULONG_PTR>(handle);
  if ((value & ~((kCrashHandleTag << 1) - 1)) != 0 || !(value & kCrashHandleTag) || (value & 3) != 2) return -1;
  return static_cast<int>((value & (kCrashHandleTag - 1)) >> 2);
}

bool CloseCrashFile(HANDLE handle) {
  int fd = CrashFileDescriptor(handle);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

}  // namespace quorla
