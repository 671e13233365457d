#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>

#include "host_paths.h"
#include "whole_files.h"

namespace quorla {
namespace {

int OpenRetrying(const char* path, int flags, mode_t mode) {
  int fd;
  do {
    fd = ::open(path, flags, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

std::string TemporaryNameBeside(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  std::string dir = DirectoryOf(path);
  std::string name = path.substr(dir.empty() ? 0 : dir.size() + (dir == "/" ? 0 : 1));
  return (dir.empty() ? "" : dir == "/" ? "/" : dir + "/") + "." + name + "." + std::to_string(::getpid()) + "." +
         std::to_string(counter.fetch_add(1)) + ".new";
}

}  // namespace

int ReadWholeFile(const std::string& path, std::string* contents) {
  contents->clear();
  int fd = OpenRetrying(path.c_str(), O_RDONLY | O_CLOEXEC, 0);
  if (fd < 0) return errno;
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    return EISDIR;
  }
  char buffer[16384];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      int e = errno;
      ::close(fd);
      return e;
    }
    if (n == 0) break;
    contents->append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return 0;
}

namespace {

// Writes contents to temporary (opened with the given extra flags), flushes
// it and renames it over path, then flushes the folder.
int ReplaceThrough(const std::string& path, const std::string& temporary, int flags, std::string_view contents) {
  int fd = OpenRetrying(temporary.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | flags, 0666);
  if (fd < 0) return errno;
  struct stat old;
  if (::stat(path.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
  int error = 0;
  if (!WriteAll(fd, contents) || ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    return error;
  }
  std::string dir = DirectoryOf(path);
  int dirFd = OpenRetrying(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return 0;
}

}  // namespace

int ReplaceWholeFile(const std::string& path, std::string_view contents) {
  return ReplaceThrough(path, TemporaryNameBeside(path), O_EXCL, contents);
}

int ReplaceLockedWholeFile(const std::string& path, std::string_view contents) {
  return ReplaceThrough(path, path + ".new", O_TRUNC | O_NOFOLLOW, contents);
}

FileLock::FileLock(const std::string& path) {
  fd_ = OpenRetrying((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd_ < 0) {
    error_ = errno;
    return;
  }
  while (::flock(fd_, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    error_ = errno;
    ::close(fd_);
    fd_ = -1;
    return;
  }
}

FileLock::~FileLock() {
  if (fd_ >= 0) ::close(fd_);  // closing the last descriptor releases the flock
}

}  // namespace quorla
