#include "kernel_object.h"

#include <mutex>
#include <unordered_map>

#include "crash_state.h"
#include "win/handles.h"
#include "win/last_error.h"

namespace quorla {
namespace {

struct HandleTable {
  std::mutex lock;
  std::unordered_map<ULONG_PTR, std::shared_ptr<KernelObject>> objects;
  ULONG_PTR next = 0x100;
};

HandleTable& Table() {
  static auto* table = new HandleTable;  // outlives every static destructor
  return *table;
}

}  // namespace

HANDLE InsertHandle(std::shared_ptr<KernelObject> object) {
  HandleTable& table = Table();
  std::lock_guard<std::mutex> guard(table.lock);
  ULONG_PTR value;
  do {
    value = table.next;
    table.next += 4;  // handle values are multiples of four, as on the platform
    if (table.next >= 0x7FFFFFF0) table.next = 0x100;
  } while (table.objects.count(value));
  table.objects.emplace(value, std::move(object));
  return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> LookUpHandle(HANDLE handle) {
  HandleTable& table = Table();
  std::lock_guard<std::mutex> guard(table.lock);
  auto it = table.objects.find(reinterpret_cast<ULONG_PTR>(handle));
  return it == table.objects.end() ? nullptr : it->second;
}

bool RemoveHandle(HANDLE handle) {
  std::shared_ptr<KernelObject> object;  // destroyed outside the lock
  HandleTable& table = Table();
  std::lock_guard<std::mutex> guard(table.lock);
  auto it = table.objects.find(reinterpret_cast<ULONG_PTR>(handle));
  if (it == table.objects.end()) return false;
  object = std::move(it->second);
  table.objects.erase(it);
  return true;
}

}  // namespace quorla

BOOL CloseHandle(HANDLE handle) {
  if (quorla::CloseCrashFile(handle)) return TRUE;
  if (!quorla::RemoveHandle(handle)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
