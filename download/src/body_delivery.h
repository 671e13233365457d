#pragma once
// Hands a finished download's body to its requester's chosen place: a new
// "Gravik.CBinaryBuffer", or a file written in one go.
#include "download_core.h"

// Buffer delivery: *buffer gets the new buffer whenever one could be made,
// even when the copy failed; an empty body gets no block and fails. File
// delivery: the file is created (replacing an old one) and written whole;
// an empty body makes an empty file. True on success.
bool DeliverBody(const DownloadRequest& request, IUnknown** buffer);
