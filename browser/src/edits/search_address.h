#pragma once
// The address of a shop's product search for the search box's text: the
// shop's fixed search prefix, then every byte of the text in the ANSI code
// page (936), each as "%" and two upper-case hexadecimal digits, letters
// and digits included.
#include "afx/string.h"

// The chooser's commands for the three shops.
constexpr int ID_SEARCH_TAOBAO = 1600;
constexpr int ID_SEARCH_JD = 1601;
constexpr int ID_SEARCH_DANGDANG = 1602;

// The prefix of site's search, ending in its query key and "="; empty for a
// command that names no shop.
CString SearchPrefix(int site);

// The address to open for text on site; empty when there is nothing to
// search: no text, a box that still shows its hint (the hint is no query,
// whatever it reads), or no shop for site. A character the code page lacks
// is searched as "?", as the conversion gives it.
CString MakeSearchAddress(int site, const CString& text, BOOL showsHint);
