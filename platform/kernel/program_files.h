#pragma once
// Program files named the platform's way: the system names its programs
// "VXTray.exe" or "vxbrowser.exe", while the built programs are "VXTray" and
// "VXBrowser" in the same folder.
#include <string>

namespace quorla {

// The program file that a host path names: the path itself when such a file
// exists (letter case aside); else, for a name ending in ".exe", the file
// without that ending found in the same folder without regard to case; else
// the path without the ".exe" ending.
std::string ProgramFileFor(const std::string& hostPath);

}  // namespace quorla
