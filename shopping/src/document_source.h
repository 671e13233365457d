#pragma once
// The HTML source of a live document: saved through its IPersistStreamInit
// into a stream on global memory and decoded by its charset (UTF-8 for
// "utf-8" in any case, code page 936 otherwise), up to the first zero byte.
// Called on the thread that owns the document.
#include <string>

#include "win/unknown.h"

bool GetDocumentSource(IUnknown* document, std::u16string& source);
