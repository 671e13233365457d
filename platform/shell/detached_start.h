#pragma once
// Starting a program that outlives its starter and is not its child.
#include <string>
#include <vector>

namespace quorla {

// Where a start failed, with the errno value.
struct StartFailure {
  enum Stage : int { kNone, kFork, kFolder, kExec } stage = kNone;
  int error = 0;
};

// Runs `program` with exactly these argv and environment entries in its own
// session, in `folder` (the caller's current folder when empty). The program
// is a grandchild: the child in between ends at once and is reaped here, so
// no zombie remains and the caller never waits for the program. It starts
// with default signal handling, no blocked signals and only descriptors 0-2
// of the caller. Returns once the program's image is loaded, or the failure.
StartFailure StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment, const std::string& folder);

}  // namespace quorla
