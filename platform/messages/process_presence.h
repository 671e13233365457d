#pragma once
// A process that publishes windows keeps three files in the runtime folder:
// its liveness lock "alive-<pid>" (held while it lives), its window list
// "windows-<pid>" and its message socket "posts-<pid>". A process whose
// liveness lock nobody holds is dead, however it ended; whoever notices
// removes its files, under a cleaner's lock that a new process with the same
// id waits for.
#include <cstdint>
#include <string>

#include "win/types.h"

namespace quorla {

std::string LivenessPath(const std::string& folder, DWORD processId);
std::string WindowListPath(const std::string& folder, DWORD processId);
std::string PostSocketPath(const std::string& folder, DWORD processId);

// Takes this process's liveness lock; the descriptor stays open for the rest
// of the process (close-on-exec). The id names the lock file, for the window
// list. False on failure.
bool HoldLiveness(const std::string& folder, DWORD processId, std::uint64_t* livenessId);

enum class Presence { kAlive, kDead, kOther };

// kAlive when the process holds the liveness lock with that id; kOther when a
// process holds a lock with another id (a new process with the same id that
// has not rewritten its list yet); else kDead, and its files are removed.
Presence CheckPresence(const std::string& folder, DWORD processId, std::uint64_t livenessId);

// Removes the files of a process unless it lives.
void CleanUpAfter(const std::string& folder, DWORD processId);

}  // namespace quorla
