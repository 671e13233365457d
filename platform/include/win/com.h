#pragma once
// COM apartments and task memory. Every apartment here is a thread with a
// message queue; CoInitialize makes sure the thread has one, so callbacks of
// the layer's objects (URL bindings) can come back to it as messages.
#include "win/hresult.h"
#include "win/types.h"

constexpr DWORD COINIT_MULTITHREADED = 0x0;
constexpr DWORD COINIT_APARTMENTTHREADED = 0x2;

constexpr HRESULT RPC_E_CHANGED_MODE = static_cast<HRESULT>(0x80010106u);
constexpr HRESULT CO_E_NOTINITIALIZED = static_cast<HRESULT>(0x800401F0u);

// S_OK for the thread's first call, S_FALSE for each further one (each needs
// its CoUninitialize), RPC_E_CHANGED_MODE when the thread is already in the
// other kind of apartment.
WINAPI_EXPORT HRESULT CoInitialize(LPVOID reserved);
WINAPI_EXPORT HRESULT CoInitializeEx(LPVOID reserved, DWORD flags);
WINAPI_EXPORT void CoUninitialize();
// A single-threaded apartment, as CoInitialize makes it, for the OLE parts
// a program uses (the web browser control): the same results, and each
// successful call needs its OleUninitialize.
WINAPI_EXPORT HRESULT OleInitialize(LPVOID reserved);
WINAPI_EXPORT void OleUninitialize();

// Memory handed across interfaces; the receiver frees it with CoTaskMemFree.
WINAPI_EXPORT LPVOID CoTaskMemAlloc(SIZE_T bytes);
WINAPI_EXPORT LPVOID CoTaskMemRealloc(LPVOID memory, SIZE_T bytes);
WINAPI_EXPORT void CoTaskMemFree(LPVOID memory);

namespace quorla {
// Whether the calling thread is inside an apartment (for the layer's objects
// that need one).
WINAPI_EXPORT bool IsComInitialized();
}  // namespace quorla
