#pragma once
// The layer's records of window classes and windows, shared by the message
// functions and (later) the on-screen backends. Records are handed out as
// shared pointers, so a record stays readable while its window is destroyed
// on another thread; `alive` says whether the window still exists.
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "win/types.h"
#include "win/window_classes.h"
#include "window_ui.h"

namespace quorla {

class ThreadQueue;

struct ClassRecord {
  ATOM atom = 0;
  std::u16string name;
  WNDCLASSEXW info{};  // lpszClassName points into name
  int windowCount = 0;  // under the class table's lock
};

// A window. Fields other than the constant ones are read and written under
// WindowTableLock().
struct WindowRecord {
  HWND handle = nullptr;
  std::shared_ptr<ClassRecord> windowClass;
  DWORD threadId = 0;
  std::weak_ptr<ThreadQueue> queue;
  HWND parent = nullptr;  // WS_CHILD windows only
  HWND owner = nullptr;   // top-level windows created with a parent
  bool messageOnly = false;

  WNDPROC procedure = nullptr;
  HINSTANCE instance = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  LONG_PTR id = 0;
  LONG_PTR userData = 0;
  std::u16string title;
  std::vector<unsigned char> extraBytes;
  bool alive = true;
  bool destroying = false;
  WindowUi ui;
};

std::mutex& WindowTableLock();

// Classes (by name without regard to case, or by atom given as MAKEINTATOM).
std::shared_ptr<ClassRecord> FindClass(LPCWSTR nameOrAtom);
void AdjustClassWindowCount(const std::shared_ptr<ClassRecord>& record, int delta);

// Windows.
HWND InsertWindow(const std::shared_ptr<WindowRecord>& record);
std::shared_ptr<WindowRecord> FindWindowRecord(HWND hwnd);
// With WindowTableLock() held.
std::shared_ptr<WindowRecord> FindWindowRecordLocked(HWND hwnd);
void ForEachWindowLocked(const std::function<void(const std::shared_ptr<WindowRecord>&)>& visit);
void RemoveWindow(HWND hwnd);
std::vector<std::shared_ptr<WindowRecord>> WindowsWhere(bool (*test)(const WindowRecord&, const void*),
                                                        const void* context);

// Calls the window's procedure on the calling thread (0 for a window that
// is gone).
LRESULT CallProcedureOfWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The thread has ended: its windows are gone, without messages.
void ForgetWindowsOfThread(DWORD threadId);

}  // namespace quorla
