#pragma once
// Pages of the product's own web site that the main window opens: its home
// page (the main toolbar's first button) and its feedback page (the
// caption's feedback link). The start page is in start_page.h.
#include "win/types.h"

inline constexpr WCHAR kHomePageAddress[] = u"http://www.quorla.example/";
inline constexpr WCHAR kFeedbackPageAddress[] = u"http://www.quorla.example/feedback/";
