#pragma once
// The browser's start argument: what the process command line holds after
// the program path, and the two options it may name.
#include "afx/string.h"
#include "win/types.h"

// The command line is the program path in double quotes, one blank and the
// argument. The argument is everything from the second character after the
// first double quote that follows the line's first character, exactly as it
// stands: a second blank belongs to it. Empty when the line ends before
// that. A line without such a quote gives everything after its first
// character.
CString ExtractStartArgument(LPCWSTR commandLine);

// The options, each compared without regard to letter case with the whole
// argument: "/tray" (the tray program asks for the window) and "/price" (it
// asks for the watch list).
bool IsTrayOption(const CString& argument);
bool IsPriceOption(const CString& argument);
