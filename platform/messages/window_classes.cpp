// The process-wide table of window classes, and the default procedure.
#include <map>
#include <mutex>

#include "control_classes.h"
#include "default_handling.h"
#include "system_commands.h"
#include "utf.h"
#include "window_table.h"
#include "win/last_error.h"
#include "win/strings.h"
#include "win/menus.h"
#include "win/messages.h"
#include "win/window_objects.h"

namespace quorla {
namespace {

struct ClassTable {
  std::mutex lock;
  std::map<ATOM, std::shared_ptr<ClassRecord>> classes;
  ATOM nextAtom = 0xC000;
};

ClassTable& Classes() {
  static auto* table = new ClassTable;
  return *table;
}

bool IsAtom(LPCWSTR nameOrAtom) { return reinterpret_cast<ULONG_PTR>(nameOrAtom) <= 0xFFFF; }

std::shared_ptr<ClassRecord> FindClassLocked(ClassTable& table, LPCWSTR nameOrAtom) {
  if (!nameOrAtom) return nullptr;
  if (IsAtom(nameOrAtom)) {
    auto it = table.classes.find(static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(nameOrAtom)));
    return it == table.classes.end() ? nullptr : it->second;
  }
  for (auto& [atom, record] : table.classes)
    if (StrCmpIW(record->name.c_str(), nameOrAtom) == 0) return record;
  return nullptr;
}

}  // namespace

std::shared_ptr<ClassRecord> FindClass(LPCWSTR nameOrAtom) {
  EnsureControlClasses();  // the layer's own classes exist as the platform's do
  ClassTable& table = Classes();
  std::lock_guard<std::mutex> guard(table.lock);
  return FindClassLocked(table, nameOrAtom);
}

void AdjustClassWindowCount(const std::shared_ptr<ClassRecord>& record, int delta) {
  if (!record) return;
  std::lock_guard<std::mutex> guard(Classes().lock);
  record->windowCount += delta;
}

}  // namespace quorla

ATOM RegisterClassExW(const WNDCLASSEXW* windowClass) {
  if (!windowClass || !windowClass->lpszClassName || !windowClass->lpfnWndProc || windowClass->cbWndExtra < 0 ||
      windowClass->cbClsExtra < 0 || reinterpret_cast<ULONG_PTR>(windowClass->lpszClassName) <= 0xFFFF ||
      !*windowClass->lpszClassName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto& table = quorla::Classes();
  std::lock_guard<std::mutex> guard(table.lock);
  if (quorla::FindClassLocked(table, windowClass->lpszClassName)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  if (table.nextAtom == 0xFFFF) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  auto record = std::make_shared<quorla::ClassRecord>();
  record->atom = table.nextAtom++;
  record->name = windowClass->lpszClassName;
  record->info = *windowClass;
  record->info.cbSize = sizeof(WNDCLASSEXW);
  record->info.lpszClassName = record->name.c_str();
  record->info.lpszMenuName = nullptr;
  table.classes.emplace(record->atom, record);
  return record->atom;
}

ATOM RegisterClassW(const WNDCLASSW* windowClass) {
  if (!windowClass) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  WNDCLASSEXW ex{};
  ex.cbSize = sizeof(ex);
  ex.style = windowClass->style;
  ex.lpfnWndProc = windowClass->lpfnWndProc;
  ex.cbClsExtra = windowClass->cbClsExtra;
  ex.cbWndExtra = windowClass->cbWndExtra;
  ex.hInstance = windowClass->hInstance;
  ex.hIcon = windowClass->hIcon;
  ex.hCursor = windowClass->hCursor;
  ex.hbrBackground = windowClass->hbrBackground;
  ex.lpszMenuName = windowClass->lpszMenuName;
  ex.lpszClassName = windowClass->lpszClassName;
  return RegisterClassExW(&ex);
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE) {
  auto& table = quorla::Classes();
  std::lock_guard<std::mutex> guard(table.lock);
  auto record = quorla::FindClassLocked(table, className);
  if (!record) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  if (record->windowCount > 0) {
    SetLastError(ERROR_CLASS_HAS_WINDOWS);
    return FALSE;
  }
  table.classes.erase(record->atom);
  return TRUE;
}

BOOL GetClassInfoExW(HINSTANCE, LPCWSTR className, WNDCLASSEXW* out) {
  auto record = quorla::FindClass(className);
  if (!record || !out) {
    SetLastError(record ? ERROR_INVALID_PARAMETER : ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  *out = record->info;  // lpszClassName stays valid while the class is registered
  return TRUE;
}

LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_SYSCOMMAND:
      quorla::RunSystemCommand(hwnd, wParam, lParam);
      return 0;
    default: {
      LRESULT result;
      return quorla::HandleByDefault(hwnd, message, wParam, lParam, &result) ? result : 0;
    }
  }
}

LRESULT CallWindowProcW(WNDPROC procedure, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return procedure ? procedure(hwnd, message, wParam, lParam) : 0;
}
