#pragma once
// The URL filter: texts that, found in the address of a page's new window,
// keep that window from opening. Read once from "iefilter.txt" in the
// current directory when the main window is made, never changed
// afterwards. Used on the user-interface thread.
#include <set>
#include <string>

#include "win/types.h"

// Reads the file (UTF-8, one text per line, a byte-order mark and CR LF
// line ends allowed): each line trimmed of white space at both ends, empty
// lines skipped, duplicates kept once. A missing or unreadable file leaves
// the set empty.
void LoadUrlFilter();
// Whether some text of the set occurs in the address (case counts).
bool IsUrlFiltered(LPCWSTR url);
// The set as loaded.
const std::set<std::u16string>& UrlFilterTexts();
