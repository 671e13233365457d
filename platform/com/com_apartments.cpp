// Apartments per thread and task memory over the C heap.
#include <cstdlib>

#include "message_queue.h"
#include "win/com.h"

namespace {

struct Apartment {
  int depth = 0;
  DWORD kind = COINIT_APARTMENTTHREADED;
};

thread_local Apartment t_apartment;

}  // namespace

HRESULT CoInitialize(LPVOID reserved) { return CoInitializeEx(reserved, COINIT_APARTMENTTHREADED); }

HRESULT CoInitializeEx(LPVOID, DWORD flags) {
  const DWORD kind = (flags & COINIT_APARTMENTTHREADED) ? COINIT_APARTMENTTHREADED : COINIT_MULTITHREADED;
  if (t_apartment.depth > 0) {
    if (t_apartment.kind != kind) return RPC_E_CHANGED_MODE;
    ++t_apartment.depth;
    return S_FALSE;
  }
  quorla::CurrentThreadQueue();
  t_apartment.kind = kind;
  t_apartment.depth = 1;
  return S_OK;
}

void CoUninitialize() {
  if (t_apartment.depth > 0) --t_apartment.depth;
}

HRESULT OleInitialize(LPVOID) { return CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }

void OleUninitialize() { CoUninitialize(); }

LPVOID CoTaskMemAlloc(SIZE_T bytes) { return std::malloc(bytes ? bytes : 1); }
LPVOID CoTaskMemRealloc(LPVOID memory, SIZE_T bytes) { return std::realloc(memory, bytes ? bytes : 1); }
void CoTaskMemFree(LPVOID memory) { std::free(memory); }

namespace quorla {
bool IsComInitialized() { return t_apartment.depth > 0; }
}  // namespace quorla
