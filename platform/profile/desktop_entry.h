#pragma once
// Desktop entries (the freedesktop.org format of *.desktop files) that start
// one program file, as the log-on autostart reads them.
#include <string>

namespace quorla {

// The program path as one Exec argument: in double quotes, with '"', '`',
// '$' and '\' escaped by a backslash and '%' doubled, then escaped once more
// by the rules of string values ("\\", "\n", "\t", "\r").
std::string DesktopExecArgument(const std::string& programPath);

// A whole desktop entry of type Application named name that runs the program.
std::string AutostartDesktopEntry(const std::string& name, const std::string& programPath);

}  // namespace quorla
