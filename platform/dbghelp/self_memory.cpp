#include "self_memory.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

namespace dbghelp {
namespace {

char g_chunk[16384];
char g_line[8192];

int OpenMaps() {
  int fd;
  do {
    fd = ::open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

ssize_t ReadSome(int fd, char* into, size_t size) {
  ssize_t n;
  do {
    n = ::read(fd, into, size);
  } while (n < 0 && errno == EINTR);
  return n;
}

uint64_t Hex(const char*& p) {
  uint64_t value = 0;
  for (;; ++p) {
    char c = *p;
    if (c >= '0' && c <= '9') {
      value = value * 16 + static_cast<uint64_t>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      value = value * 16 + static_cast<uint64_t>(c - 'a' + 10);
    } else {
      return value;
    }
  }
}

uint64_t Decimal(const char*& p) {
  uint64_t value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) value = value * 10 + static_cast<uint64_t>(*p - '0');
  return value;
}

void SkipBlanks(const char*& p) {
  while (*p == ' ' || *p == '\t') ++p;
}

void SkipField(const char*& p) {
  while (*p && *p != ' ' && *p != '\t') ++p;
  SkipBlanks(p);
}

// "start-end perms offset dev inode path"
bool ParseLine(const char* p, Mapping* mapping) {
  mapping->start = Hex(p);
  if (*p++ != '-') return false;
  mapping->end = Hex(p);
  SkipBlanks(p);
  mapping->readable = *p == 'r';
  SkipField(p);
  mapping->offset = Hex(p);
  SkipBlanks(p);
  SkipField(p);  // device
  mapping->inode = Decimal(p);
  SkipBlanks(p);
  mapping->path = p;
  return mapping->end > mapping->start;
}

}  // namespace

bool ReadSelfMemory(uint64_t address, void* into, size_t size) {
  iovec local{into, size};
  iovec remote{reinterpret_cast<void*>(address), size};
  ssize_t n = ::process_vm_readv(::getpid(), &local, 1, &remote, 1, 0);
  if (n == static_cast<ssize_t>(size)) return true;
  if (n >= 0 || (errno != EPERM && errno != ENOSYS)) return false;
  // Where the kernel refuses the call, its memory file serves as well.
  int fd = ::open("/proc/self/mem", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  ssize_t got = ::pread(fd, into, size, static_cast<off_t>(address));
  ::close(fd);
  return got == static_cast<ssize_t>(size);
}

bool VisitSelfMappings(void (*visit)(const Mapping& mapping, void* context), void* context) {
  int fd = OpenMaps();
  if (fd < 0) return false;
  size_t lineLength = 0;
  bool overlong = false;
  for (;;) {
    ssize_t n = ReadSome(fd, g_chunk, sizeof g_chunk);
    if (n <= 0) break;
    for (ssize_t i = 0; i < n; ++i) {
      char c = g_chunk[i];
      if (c != '\n') {
        if (lineLength + 1 < sizeof g_line) {
          g_line[lineLength++] = c;
        } else {
          overlong = true;  // such a line names a path too long to matter; it is skipped
        }
        continue;
      }
      g_line[lineLength] = 0;
      Mapping mapping{};
      if (!overlong && ParseLine(g_line, &mapping)) visit(mapping, context);
      lineLength = 0;
      overlong = false;
    }
  }
  ::close(fd);
  return true;
}

size_t CopySelfMaps(bool (*sink)(const char* bytes, size_t size, void* context), void* context) {
  int fd = OpenMaps();
  if (fd < 0) return 0;
  size_t total = 0;
  for (;;) {
    ssize_t n = ReadSome(fd, g_chunk, sizeof g_chunk);
    if (n <= 0 || !sink(g_chunk, static_cast<size_t>(n), context)) break;
    total += static_cast<size_t>(n);
  }
  ::close(fd);
  return total;
}

}  // namespace dbghelp
