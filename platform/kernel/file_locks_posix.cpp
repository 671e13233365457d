#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "file_locks.h"

namespace quorla {
namespace {

bool LockRange(int fd, int command, off_t start, off_t length) {
  struct flock range {};
  range.l_type = F_WRLCK;
  range.l_whence = SEEK_SET;
  range.l_start = start;
  range.l_len = length;
  int result;
  do {
    result = ::fcntl(fd, command, &range);
  } while (result != 0 && errno == EINTR);
  return result == 0;
}

}  // namespace

int OpenLockFile(const std::string& path, bool create) {
  int flags = O_RDWR | O_CLOEXEC | O_NOFOLLOW | (create ? O_CREAT : 0);
  int fd;
  do {
    fd = ::open(path.c_str(), flags, 0600);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

bool TryHoldLock(int fd) { return LockRange(fd, F_OFD_SETLK, 0, 2); }
bool WaitHoldLock(int fd) { return LockRange(fd, F_OFD_SETLKW, 0, 2); }
bool TryCleanerLock(int fd) { return LockRange(fd, F_OFD_SETLK, 1, 1); }

bool IsLockHeld(int fd) {
  struct flock range {};
  range.l_type = F_WRLCK;
  range.l_whence = SEEK_SET;
  range.l_start = 0;
  range.l_len = 1;
  if (::fcntl(fd, F_OFD_GETLK, &range) != 0) return false;
  return range.l_type != F_UNLCK;
}

bool IsSameFile(int fd, const std::string& path) {
  struct stat open {}, named {};
  if (::fstat(fd, &open) != 0 || ::lstat(path.c_str(), &named) != 0) return false;
  return open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

}  // namespace quorla
