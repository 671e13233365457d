#include "window_table.h"

#include <functional>
#include <unordered_map>

#include "win/last_error.h"
#include "win/window_objects.h"

namespace quorla {
namespace {

struct WindowTable {
  std::unordered_map<ULONG_PTR, std::shared_ptr<WindowRecord>> windows;
  ULONG_PTR next = 0x10010;
};

WindowTable& Table() {
  static auto* table = new WindowTable;
  return *table;
}

}  // namespace

std::mutex& WindowTableLock() {
  static auto* lock = new std::mutex;
  return *lock;
}

HWND InsertWindow(const std::shared_ptr<WindowRecord>& record) {
  std::lock_guard<std::mutex> guard(WindowTableLock());
  WindowTable& table = Table();
  ULONG_PTR value;
  do {
    value = table.next;
    table.next += 2;  // window handles are even, never a kernel handle's multiple of four plus 0
    if (table.next >= 0x7FFFFFF0) table.next = 0x10010;
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
}

}  // namespace quorla
