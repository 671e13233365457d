#pragma once
// Locks that other processes see and that vanish with their holder, however
// it ends (SIGKILL included): open-file-description locks, which belong to
// the open file and not to the process, and which can be tested without
// being taken. Every descriptor here is close-on-exec, so a started program
// never inherits a lock.
//
// A lock file has two bytes that matter. Its holder locks both; a process
// that cleans up after a dead holder locks only the second, so a test of the
// first byte ("does anyone hold it?") is never fooled by a cleaner, while a
// new holder still waits for a cleaner to finish.
#include <string>

namespace quorla {

// Opens (creating with mode 0600) a lock file without following links;
// -1 with errno on failure.
int OpenLockFile(const std::string& path, bool create);

// Takes both bytes without waiting; false (errno EAGAIN) when another open
// file holds either.
bool TryHoldLock(int fd);
// Takes both bytes, waiting for a cleaner; false on failure.
bool WaitHoldLock(int fd);
// Takes the second byte without waiting, for cleaning up after a dead holder.
bool TryCleanerLock(int fd);
// True while some other open file holds the first byte.
bool IsLockHeld(int fd);

// Whether the open file is still the one the path names (the path may have
// been removed or replaced by a cleaner in between).
bool IsSameFile(int fd, const std::string& path);

}  // namespace quorla
