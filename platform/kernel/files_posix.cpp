// Files over POSIX descriptors.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <string>

#include "crash_state.h"
#include "host_errors.h"
#include "open_flags.h"
#include "host_paths.h"
#include "kernel_object.h"
#include "utf.h"
#include "win/crt_file.h"
#include "win/exceptions.h"
#include "win/files.h"
#include "win/last_error.h"
#include "win/strings.h"

namespace {

class FileObject final : public quorla::KernelObject {
 public:
  explicit FileObject(int fd) : fd(fd) {}
  ~FileObject() override { ::close(fd); }
  const int fd;
};


std::shared_ptr<FileObject> FileOf(HANDLE file) {
  auto object = quorla::LookUpHandleAs<FileObject>(file);
  if (!object) SetLastError(ERROR_INVALID_HANDLE);
  return object;
}

}  // namespace

namespace quorla {

int FileDescriptorOf(HANDLE file) {
  int crashFile = CrashFileDescriptor(file);
  if (crashFile >= 0) return crashFile;
  auto object = LookUpHandleAs<FileObject>(file);
  return object ? object->fd : -1;
}

bool HostPathOf(LPCWSTR path, char* out, size_t outSize) {
  if (!path || !out || outSize == 0) return false;
  std::string host = quorla::HostFilePath(path);
  if (host.empty() || host.size() >= outSize) return false;
  std::memcpy(out, host.c_str(), host.size() + 1);
  return true;
}

}  // namespace quorla

HANDLE CreateFileW(LPCWSTR fileName, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES, DWORD creation, DWORD,
                   HANDLE) {
  if (!fileName || !*fileName) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  // The crash filter must neither allocate nor take the handle table's lock.
  if (quorla::InCrashHandler()) return quorla::CreateCrashFile(fileName, access, creation);
  int flags = 0;
  if (!quorla::OpenFlagsFor(access, creation, &flags)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  std::string path = quorla::HostFilePath(fileName);
  struct stat before;
  const bool existedBefore = ::stat(path.c_str(), &before) == 0;
  int fd = ::open(path.c_str(), flags, 0644);
  if (fd < 0) {
    SetLastError(quorla::ErrorFromErrno(errno));
    return INVALID_HANDLE_VALUE;
  }
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  HANDLE handle = quorla::InsertHandle(std::make_shared<FileObject>(fd));
  // As on the platform: creating "always" over an existing file reports it.
  SetLastError(existedBefore && (creation == CREATE_ALWAYS || creation == OPEN_ALWAYS) ? ERROR_ALREADY_EXISTS
                                                                                      : ERROR_SUCCESS);
  (void)shareMode;
  return handle;
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD count, DWORD* read, LPOVERLAPPED) {
  if (read) *read = 0;
  auto object = FileOf(file);
  if (!object) return FALSE;
  DWORD total = 0;
  auto* out = static_cast<char*>(buffer);
  while (total < count) {
    ssize_t n = ::read(object->fd, out + total, count - total);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (read) *read = total;
      SetLastError(quorla::ErrorFromErrno(errno));
      return FALSE;
    }
    if (n == 0) break;
    total += static_cast<DWORD>(n);
  }
  if (read) *read = total;
  return TRUE;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD count, DWORD* written, LPOVERLAPPED) {
  if (written) *written = 0;
  auto object = FileOf(file);
  if (!object) return FALSE;
  DWORD total = 0;
  const auto* in = static_cast<const char*>(buffer);
  while (total < count) {
    ssize_t n = ::write(object->fd, in + total, count - total);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (written) *written = total;
      SetLastError(quorla::ErrorFromErrno(errno));
      return FALSE;
    }
    total += static_cast<DWORD>(n);
  }
  if (written) *written = total;
  return TRUE;
}

BOOL FlushFileBuffers(HANDLE file) {
  auto object = FileOf(file);
  if (!object) return FALSE;
  if (::fsync(object->fd) != 0) {
    SetLastError(quorla::ErrorFromErrno(errno));
    return FALSE;
  }
  return TRUE;
}

BOOL GetFileSizeEx(HANDLE file, LARGE_INTEGER* size) {
  auto object = FileOf(file);
  if (!object || !size) return FALSE;
  struct stat st;
  if (::fstat(object->fd, &st) != 0) {
    SetLastError(quorla::ErrorFromErrno(errno));
    return FALSE;
  }
  size->QuadPart = st.st_size;
  return TRUE;
}

DWORD GetFileSize(HANDLE file, DWORD* high) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size)) return INVALID_FILE_SIZE;
  if (high) *high = static_cast<DWORD>(size.QuadPart >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(size.QuadPart & 0xFFFFFFFFu);
}

BOOL SetFilePointerEx(HANDLE file, LARGE_INTEGER distance, LARGE_INTEGER* newPosition, DWORD method) {
  auto object = FileOf(file);
  if (!object) return FALSE;
  int whence = method == FILE_BEGIN ? SEEK_SET : method == FILE_CURRENT ? SEEK_CUR : method == FILE_END ? SEEK_END : -1;
  if (whence < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  off_t at = ::lseek(object->fd, distance.QuadPart, whence);
  if (at < 0) {
    SetLastError(errno == EINVAL ? ERROR_INVALID_PARAMETER : quorla::ErrorFromErrno(errno));
    return FALSE;
  }
  if (newPosition) newPosition->QuadPart = at;
  return TRUE;
}

DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method) {
  LARGE_INTEGER move;
  move.QuadPart = distanceHigh ? (static_cast<LONGLONG>(*distanceHigh) << 32) | static_cast<DWORD>(distance) : distance;
  LARGE_INTEGER now;
  if (!SetFilePointerEx(file, move, &now, method)) return INVALID_SET_FILE_POINTER;
  if (distanceHigh) *distanceHigh = static_cast<LONG>(now.QuadPart >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(now.QuadPart & 0xFFFFFFFFu);
}

BOOL SetEndOfFile(HANDLE file) {
  auto object = FileOf(file);
  if (!object) return FALSE;
  off_t at = ::lseek(object->fd, 0, SEEK_CUR);
  if (at < 0 || ::ftruncate(object->fd, at) != 0) {
    SetLastError(quorla::ErrorFromErrno(errno));
    return FALSE;
  }
  return TRUE;
}

namespace {

FILETIME FileTimeOf(const struct timespec& t) {
  // 100-nanosecond steps since 1601; 11644473600 seconds lie before 1970.
  const LONGLONG ticks = (static_cast<LONGLONG>(t.tv_sec) + 11644473600LL) * 10000000LL + t.tv_nsec / 100;
  const ULONGLONG value = ticks < 0 ? 0 : static_cast<ULONGLONG>(ticks);
  return FILETIME{static_cast<DWORD>(value & 0xFFFFFFFFu), static_cast<DWORD>(value >> 32)};
}

// The host lock for a range: open-file-description locks, which belong to
// the handle's descriptor, so two handles exclude each other even within
// one process. A range that reaches past the host's largest offset runs to
// the end of all offsets.
struct flock RangeLock(short type, LPOVERLAPPED overlapped, DWORD bytesLow, DWORD bytesHigh) {
  const ULONGLONG start = (static_cast<ULONGLONG>(overlapped->OffsetHigh) << 32) | overlapped->Offset;
  const ULONGLONG length = (static_cast<ULONGLONG>(bytesHigh) << 32) | bytesLow;
  const ULONGLONG largest = 0x7FFFFFFFFFFFFFFFull;
  struct flock range = {};
  range.l_type = type;
  range.l_whence = SEEK_SET;
  range.l_start = static_cast<off_t>(start > largest ? largest : start);
  range.l_len = length > largest - static_cast<ULONGLONG>(range.l_start) ? 0 : static_cast<off_t>(length);
  return range;
}

}  // namespace

BOOL GetFileInformationByHandle(HANDLE file, LPBY_HANDLE_FILE_INFORMATION information) {
  auto object = FileOf(file);
  if (!object) return FALSE;
  if (!information) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  struct stat st;
  if (::fstat(object->fd, &st) != 0) {
    SetLastError(quorla::ErrorFromErrno(errno));
    return FALSE;
  }
  DWORD attributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : 0;
  if ((st.st_mode & 0222) == 0) attributes |= FILE_ATTRIBUTE_READONLY;
  information->dwFileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
  information->ftCreationTime = FileTimeOf(st.st_ctim);
  information->ftLastAccessTime = FileTimeOf(st.st_atim);
  information->ftLastWriteTime = FileTimeOf(st.st_mtim);
  const ULONGLONG device = static_cast<ULONGLONG>(st.st_dev);
  information->dwVolumeSerialNumber = static_cast<DWORD>(device ^ (device >> 32));
  const ULONGLONG size = static_cast<ULONGLONG>(st.st_size);
  information->nFileSizeHigh = static_cast<DWORD>(size >> 32);
  information->nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFFu);
  information->nNumberOfLinks = static_cast<DWORD>(st.st_nlink);
  const ULONGLONG index = static_cast<ULONGLONG>(st.st_ino);
  information->nFileIndexHigh = static_cast<DWORD>(index >> 32);
  information->nFileIndexLow = static_cast<DWORD>(index & 0xFFFFFFFFu);
  return TRUE;
}

BOOL LockFileEx(HANDLE file, DWORD flags, DWORD, DWORD bytesLow, DWORD bytesHigh, LPOVERLAPPED overlapped) {
  auto object = FileOf(file);
  if (!object) return FALSE;
  if (!overlapped) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  struct flock range =
      RangeLock((flags & LOCKFILE_EXCLUSIVE_LOCK) ? F_WRLCK : F_RDLCK, overlapped, bytesLow, bytesHigh);
  const int command = (flags & LOCKFILE_FAIL_IMMEDIATELY) ? F_OFD_SETLK : F_OFD_SETLKW;
  while (::fcntl(object->fd, command, &range) != 0) {
    if (errno == EINTR) continue;
    SetLastError(errno == EAGAIN || errno == EACCES ? ERROR_LOCK_VIOLATION
                 : errno == EBADF                   ? ERROR_ACCESS_DENIED
                                                    : quorla::ErrorFromErrno(errno));
    return FALSE;
  }
  return TRUE;
}

BOOL UnlockFileEx(HANDLE file, DWORD, DWORD bytesLow, DWORD bytesHigh, LPOVERLAPPED overlapped) {
  auto object = FileOf(file);
  if (!object) return FALSE;
  if (!overlapped) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  struct flock range = RangeLock(F_UNLCK, overlapped, bytesLow, bytesHigh);
  if (::fcntl(object->fd, F_OFD_SETLK, &range) != 0) {
    SetLastError(quorla::ErrorFromErrno(errno));
    return FALSE;
  }
  return TRUE;
}

BOOL DeleteFileW(LPCWSTR fileName) {
  if (!fileName) return FALSE;
  std::string path = quorla::HostFilePath(fileName);
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (::unlink(path.c_str()) != 0) {
    SetLastError(quorla::ErrorFromErrno(errno));
    return FALSE;
  }
  return TRUE;
}

BOOL MoveFileExW(LPCWSTR existing, LPCWSTR target, DWORD flags) {
  if (!existing || !target) return FALSE;
  std::string from = quorla::HostFilePath(existing);
  std::string to = quorla::HostFilePath(target);
  struct stat st;
  if (!(flags & MOVEFILE_REPLACE_EXISTING) && ::lstat(to.c_str(), &st) == 0) {
    SetLastError(ERROR_ALREADY_EXISTS);
    return FALSE;
  }
  if (::rename(from.c_str(), to.c_str()) != 0) {
    SetLastError(quorla::ErrorFromErrno(errno));
    return FALSE;
  }
  if (flags & MOVEFILE_WRITE_THROUGH) {
    // Make the rename itself durable: sync the directory that holds it.
    std::string dir = quorla::DirectoryOf(to);
    int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
      ::fsync(fd);
      ::close(fd);
    }
  }
  return TRUE;
}

BOOL CreateDirectoryW(LPCWSTR path, LPSECURITY_ATTRIBUTES) {
  if (!path) return FALSE;
  std::string host = quorla::HostFilePath(path);
  if (::mkdir(host.c_str(), 0755) != 0) {
    SetLastError(errno == EEXIST ? ERROR_ALREADY_EXISTS : errno == ENOENT ? ERROR_PATH_NOT_FOUND : quorla::ErrorFromErrno(errno));
    return FALSE;
  }
  return TRUE;
}

BOOL RemoveDirectoryW(LPCWSTR path) {
  if (!path) return FALSE;
  if (::rmdir(quorla::HostFilePath(path).c_str()) != 0) {
    SetLastError(quorla::ErrorFromErrno(errno));
    return FALSE;
  }
  return TRUE;
}

DWORD GetFileAttributesW(LPCWSTR fileName) {
  if (!fileName) return INVALID_FILE_ATTRIBUTES;
  struct stat st;
  std::string path = quorla::HostFilePath(fileName);
  if (::stat(path.c_str(), &st) != 0) {
    SetLastError(quorla::ErrorFromErrno(errno));
    return INVALID_FILE_ATTRIBUTES;
  }
  DWORD attributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : 0;
  if (::access(path.c_str(), W_OK) != 0) attributes |= FILE_ATTRIBUTE_READONLY;
  return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

namespace {
DWORD CopyOut(const std::string& host, DWORD size, LPWSTR buffer) {
  std::u16string wide = quorla::Utf8ToUtf16(host);
  if (!buffer || wide.size() + 1 > size) return static_cast<DWORD>(wide.size() + 1);
  lstrcpynW(buffer, wide.c_str(), static_cast<int>(size));
  return static_cast<DWORD>(wide.size());
}
}  // namespace

DWORD GetCurrentDirectoryW(DWORD size, LPWSTR buffer) {
  char cwd[PATH_MAX];
  if (!::getcwd(cwd, sizeof cwd)) return 0;
  return CopyOut(cwd, size, buffer);
}

DWORD GetTempPathW(DWORD size, LPWSTR buffer) {
  const char* tmp = ::getenv("TMPDIR");
  std::string dir = tmp && *tmp ? tmp : "/tmp";
  if (dir.back() != '/') dir += '/';
  return CopyOut(dir, size, buffer);
}

FILE* _wfopen(LPCWSTR path, LPCWSTR mode) {
  if (!path || !mode) {
    errno = EINVAL;
    return nullptr;
  }
  std::string m;
  for (LPCWSTR p = mode; *p; ++p) {
    if (*p == u't') continue;  // no text translation on this host
    if (*p > 0x7F) {
      errno = EINVAL;
      return nullptr;
    }
    m += static_cast<char>(*p);
  }
  m += 'e';  // close on exec
  return std::fopen(quorla::HostFilePath(path).c_str(), m.c_str());
}

int _wremove(LPCWSTR path) { return path ? std::remove(quorla::HostFilePath(path).c_str()) : -1; }

int _wrename(LPCWSTR from, LPCWSTR to) {
  return from && to ? std::rename(quorla::HostFilePath(from).c_str(), quorla::HostFilePath(to).c_str()) : -1;
}
