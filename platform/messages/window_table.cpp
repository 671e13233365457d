#include "window_table.h"

#include <functional>
#include <unordered_map>

#include "win/last_error.h"
#include "win/threads.h"
#include "win/window_objects.h"
#include "window_handles.h"
#include "window_publishing.h"

namespace quorla {
namespace {

// Keyed by the whole handle value; serials are the low halves.
struct WindowTable {
  std::unordered_map<ULONG_PTR, std::shared_ptr<WindowRecord>> windows;
  DWORD nextSerial = 0x10010;
};

WindowTable& Table() {
  static auto* table = new WindowTable;
  return *table;
}

}  // namespace

bool IsOtherProcessWindow(HWND hwnd) {
  // Process ids never exceed 2^22 on the host; the special handles with all
  // high bits set (HWND_MESSAGE, HWND_TOPMOST ...) name no process.
  constexpr DWORD kLargestProcessId = 1u << 22;
  DWORD processId = ProcessOfWindow(hwnd);
  return processId != 0 && processId <= kLargestProcessId && processId != GetCurrentProcessId();
}

std::mutex& WindowTableLock() {
  static auto* lock = new std::mutex;
  return *lock;
}

HWND InsertWindow(const std::shared_ptr<WindowRecord>& record) {
  std::lock_guard<std::mutex> guard(WindowTableLock());
  WindowTable& table = Table();
  const DWORD processId = GetCurrentProcessId();
  ULONG_PTR value;
  do {
    value = reinterpret_cast<ULONG_PTR>(MakeWindowHandle(processId, table.nextSerial));
    table.nextSerial += 2;  // serials are even, never a kernel handle's multiple of four plus 0
    if (table.nextSerial >= 0x7FFFFFF0) table.nextSerial = 0x10010;
  } while (table.windows.count(value));
  record->handle = reinterpret_cast<HWND>(value);
  table.windows.emplace(value, record);
  return record->handle;
}

std::shared_ptr<WindowRecord> FindWindowRecord(HWND hwnd) {
  std::lock_guard<std::mutex> guard(WindowTableLock());
  return FindWindowRecordLocked(hwnd);
}

std::shared_ptr<WindowRecord> FindWindowRecordLocked(HWND hwnd) {
  auto it = Table().windows.find(reinterpret_cast<ULONG_PTR>(hwnd));
  return it == Table().windows.end() ? nullptr : it->second;
}

void ForEachWindowLocked(const std::function<void(const std::shared_ptr<WindowRecord>&)>& visit) {
  for (auto& [value, record] : Table().windows) visit(record);
}

void RemoveWindow(HWND hwnd) {
  std::shared_ptr<WindowRecord> record;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    auto it = Table().windows.find(reinterpret_cast<ULONG_PTR>(hwnd));
    if (it == Table().windows.end()) return;
    record = std::move(it->second);
    Table().windows.erase(it);
    record->alive = false;
  }
  AdjustClassWindowCount(record->windowClass, -1);
}

std::vector<std::shared_ptr<WindowRecord>> WindowsWhere(bool (*test)(const WindowRecord&, const void*),
                                                        const void* context) {
  std::vector<std::shared_ptr<WindowRecord>> found;
  std::lock_guard<std::mutex> guard(WindowTableLock());
  for (auto& [value, record] : Table().windows)
    if (test(*record, context)) found.push_back(record);
  return found;
}

LRESULT CallProcedureOfWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC procedure = nullptr;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    auto it = Table().windows.find(reinterpret_cast<ULONG_PTR>(hwnd));
    if (it != Table().windows.end()) procedure = it->second->procedure;
  }
  return procedure ? procedure(hwnd, message, wParam, lParam) : 0;
}

void ForgetWindowsOfThread(DWORD threadId) {
  auto windows = WindowsWhere(
      [](const WindowRecord& record, const void* context) {
        return record.threadId == *static_cast<const DWORD*>(context);
      },
      &threadId);
  for (auto& record : windows) RemoveWindow(record->handle);
  for (auto& record : windows) PublishWindowChange(record->handle);
}

}  // namespace quorla
