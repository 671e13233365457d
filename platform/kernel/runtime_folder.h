#pragma once
// The per-user folder where the user's processes meet: named-mutex lock
// files, each process's list of top-level windows, its liveness lock and its
// message socket. It is `$XDG_RUNTIME_DIR/quorla`, else `/tmp/quorla-<uid>`,
// made with mode 0700 when missing. A folder that is a symbolic link, belongs
// to another user or is open to others is refused: another user could read
// window titles from it or plant files in it.
//
// Nothing is cached: the environment is read on every call, so any thread
// may call these at any time.
#include <string>

#include "win/types.h"

namespace quorla {

// The folder, ready to use, or an empty text when it is refused or cannot be
// made; then *error (when given) is the platform's error code.
std::string RuntimeFolder(DWORD* error = nullptr);

// The checks and the making of RuntimeFolder for one given path (the parent
// must exist). True when the path is a directory of the calling user, not a
// symbolic link, with mode 0700.
bool PrepareRuntimeFolder(const std::string& path, DWORD* error = nullptr);

}  // namespace quorla
