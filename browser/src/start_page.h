#pragma once
// The page a new browser window opens when it is given no address: a page
// of the product's own web site.
#include "win/types.h"

inline constexpr WCHAR kStartPageAddress[] = u"http://www.quorla.example/start/";
