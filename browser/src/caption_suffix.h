#pragma once
// The product name that follows a page title in the main window's caption.
#include "afx/string.h"

// Appends " - Quorla购物浏览器" to text. The suffix is kept as code-page-936
// bytes and read with the calling thread's ANSI code page, as the caption
// has always been made.
void AppendCaptionSuffix(CString& text);
