#pragma once
// Host file-system helpers shared by the layer's file, module and path code.
#include <string>

#include "win/types.h"

namespace quorla {

// Turns every '\' into '/'.
std::string ToHostSeparators(std::string path);
// Folds "." and ".." segments and doubled separators of a host path.
std::string FoldDotSegments(const std::string& path);
// The path as written when it exists; otherwise the same path whose last
// component is matched in its directory without regard to letter case; an
// empty text when neither exists.
std::string FindFileIgnoringCase(const std::string& path);
// Directory part of a host path (up to the last '/'), empty when there is none.
std::string DirectoryOf(const std::string& path);
// Host path for a system path: separators turned, dots folded, and the last
// component matched without regard to case when it does not exist as written
// (then the written form is kept, for creating it).
std::string HostFilePath(LPCWSTR path);
// Absolute path of the running program file.
std::string ProgramFilePath();

}  // namespace quorla
