#include "open_flags.h"

#include <fcntl.h>

#include "win/files.h"

namespace quorla {

bool OpenFlagsFor(DWORD access, DWORD creation, int* flags) {
  const bool read = access & GENERIC_READ;
  const bool write = access & GENERIC_WRITE;
  *flags = O_CLOEXEC | (read && write ? O_RDWR : (write ? O_WRONLY : O_RDONLY));
  switch (creation) {
    case CREATE_NEW:
      *flags |= O_CREAT | O_EXCL;
      return true;
    case CREATE_ALWAYS:
      *flags |= O_CREAT | O_TRUNC;
      return true;
    case OPEN_EXISTING:
      return true;
    case OPEN_ALWAYS:
      *flags |= O_CREAT;
      return true;
    case TRUNCATE_EXISTING:
      *flags |= O_TRUNC;
      return true;
    default:
      return false;
  }
}

}  // namespace quorla
