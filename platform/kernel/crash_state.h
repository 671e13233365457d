#pragma once
// State shared by the layer's crash handling: which thread handles a crash,
// and file handles that the crash filter can open and close without the
// handle table (whose lock a crashed thread may hold).
#include "win/types.h"

namespace quorla {

// Marks the calling thread as the one handling a crash. False when another
// thread already does; true again for the same thread (a nested fault).
bool EnterCrashHandler(long threadId, bool* nested);

// For the crash filter: opens a file with plain system calls and gives a
// handle outside the handle table. INVALID_HANDLE_VALUE on failure.
HANDLE CreateCrashFile(LPCWSTR path, DWORD access, DWORD creation);
// The descriptor of such a handle, or -1 for any other handle.
int CrashFileDescriptor(HANDLE handle);
// Closes such a handle; false for any other handle.
bool CloseCrashFile(HANDLE handle);

// Text conversion without allocation: UTF-16 to UTF-8 into out (always
// terminated, cut at a whole character); gives the length written.
size_t Utf16ToUtf8Bounded(LPCWSTR text, char* out, size_t outSize);

}  // namespace quorla
