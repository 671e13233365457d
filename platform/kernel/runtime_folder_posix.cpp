#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "host_errors.h"
#include "runtime_folder.h"
#include "win/last_error.h"

namespace quorla {
namespace {

void Report(DWORD* error, DWORD code) {
  if (error) *error = code;
}

}  // namespace

bool PrepareRuntimeFolder(const std::string& path, DWORD* error) {
  if (path.empty() || path[0] != '/') {
    Report(error, ERROR_PATH_NOT_FOUND);
    return false;
  }
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
    Report(error, ErrorFromErrno(errno));
    return false;
  }
  // Opened without following a link, so the checks are made on the folder
  // itself and not on whatever a link points at.
  int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) {
    Report(error, errno == ELOOP || errno == ENOTDIR ? ERROR_ACCESS_DENIED : ErrorFromErrno(errno));
    return false;
  }
  struct stat st;
  const bool statted = ::fstat(fd, &st) == 0;
  ::close(fd);
  if (!statted || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() || (st.st_mode & 07777) != 0700) {
    Report(error, ERROR_ACCESS_DENIED);
    return false;
  }
  return true;
}

std::string RuntimeFolder(DWORD* error) {
  const char* base = std::getenv("XDG_RUNTIME_DIR");
  std::string path = base && *base ? std::string(base) + "/quorla" : "/tmp/quorla-" + std::to_string(::geteuid());
  return PrepareRuntimeFolder(path, error) ? path : std::string();
}

}  // namespace quorla
