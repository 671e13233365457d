// Creating, destroying and finding windows; per-window values.
#include <algorithm>
#include <cstring>
#include <utility>

#include "capture.h"
#include "message_queue.h"
#include "minmax_info.h"
#include "remote_windows.h"
#include "window_frame_style.h"
#include "window_handles.h"
#include "window_lifetime.h"
#include "window_placement.h"
#include "window_publishing.h"
#include "window_tree.h"
#include "window_table.h"
#include "win/last_error.h"
#include "win/messages.h"
#include "win/strings.h"
#include "win/threads.h"
#include "win/window_objects.h"
#include "win/window_state.h"

namespace {

const HWND kDesktopWindow = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x10000));

std::shared_ptr<quorla::WindowRecord> LiveWindow(HWND hwnd) {
  auto record = quorla::FindWindowRecord(hwnd);
  if (!record) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return record;
}

}  // namespace

namespace {

constexpr DWORD ERROR_TLW_WITH_WSCHILD = 1406;

// The rectangle a window has until an overlapped window's own is worked out
// (minmax_info.h): CW_USEDEFAULT is the origin and no size.
RECT InitialRect(int x, int y, int width, int height) {
  if (x == CW_USEDEFAULT) x = y = 0;
  if (width == CW_USEDEFAULT) width = height = 0;
  width = std::max(0, width);
  height = std::max(0, height);
  return RECT{x, y, static_cast<LONG>(static_cast<long long>(x) + width),
              static_cast<LONG>(static_cast<long long>(y) + height)};
}

struct PendingCreationHook {
  quorla::CreationHook hook = nullptr;
  void* context = nullptr;
};
thread_local PendingCreationHook t_creationHook;

}  // namespace

void quorla::SetThreadCreationHook(CreationHook hook, void* context) { t_creationHook = {hook, context}; }

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID parameter) {
  auto windowClass = quorla::FindClass(className);
  if (!windowClass) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  const bool messageOnly = parent == HWND_MESSAGE;
  if (parent && !messageOnly && !IsWindow(parent)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  const bool child = (style & WS_CHILD) != 0;
  if (child && !parent) {
    SetLastError(ERROR_TLW_WITH_WSCHILD);
    return nullptr;
  }
  // Overlapped windows always have a caption.
  const bool overlapped = !child && !(style & WS_POPUP) && !messageOnly;
  if (overlapped) style |= WS_CAPTION;
  auto record = std::make_shared<quorla::WindowRecord>();
  record->windowClass = windowClass;
  record->threadId = GetCurrentThreadId();
  record->queue = quorla::CurrentThreadQueue();
  record->parent = child && !messageOnly ? parent : nullptr;
  record->owner = !child && !messageOnly ? parent : nullptr;
  record->messageOnly = messageOnly;
  record->procedure = windowClass->info.lpfnWndProc;
  record->instance = instance;
  // A window shows only once it exists: ShowWindow below.
  record->style = style & ~WS_VISIBLE;
  record->exStyle = exStyle;
  record->id = reinterpret_cast<LONG_PTR>(menu);
  record->title = windowName ? windowName : u"";
  record->extraBytes.assign(static_cast<size_t>(windowClass->info.cbWndExtra), 0);
  record->ui.rect = InitialRect(x, y, width, height);
  record->ui.restoreRect = record->ui.rect;
  {
    std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
    record->ui.zorder = quorla::NextZOrderLocked();
  }
  quorla::AdjustClassWindowCount(windowClass, +1);
  HWND hwnd = quorla::InsertWindow(record);
  if (PendingCreationHook pending = std::exchange(t_creationHook, {}); pending.hook) {
    pending.hook(hwnd, pending.context);
  }

  // The window's first message: an overlapped window's size is held within
  // its tracking sizes, and its default place and size are worked out.
  if (overlapped) {
    RECT rect = quorla::OverlappedCreationRect(hwnd, x, y, width, height);
    if (!IsWindow(hwnd)) return nullptr;
    std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
    record->ui.rect = record->ui.restoreRect = rect;
  }

  CREATESTRUCTW create{};
  create.lpCreateParams = parameter;
  create.hInstance = instance;
  create.hMenu = menu;
  create.hwndParent = parent;
  create.cx = record->ui.rect.right - record->ui.rect.left;
  create.cy = record->ui.rect.bottom - record->ui.rect.top;
  create.x = record->ui.rect.left;
  create.y = record->ui.rect.top;
  create.style = static_cast<LONG>(style);
  create.lpszName = windowName;
  create.lpszClass = className;
  create.dwExStyle = exStyle;
  LPARAM createParam = reinterpret_cast<LPARAM>(&create);
  if (!SendMessageW(hwnd, WM_NCCREATE, 0, createParam) || SendMessageW(hwnd, WM_CREATE, 0, createParam) == -1) {
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!messageOnly && IsWindow(hwnd)) {
    WPARAM kind;
    LPARAM size;
    quorla::SizeMessageParameters(hwnd, &kind, &size);
    SendMessageW(hwnd, WM_SIZE, kind, size);
    if (IsWindow(hwnd)) SendMessageW(hwnd, WM_MOVE, 0, quorla::MoveMessageParameter(hwnd));
    if ((style & WS_VISIBLE) && IsWindow(hwnd)) ShowWindow(hwnd, SW_SHOW);
  }
  // A window procedure may destroy its window while it is being made.
  if (!IsWindow(hwnd)) return nullptr;
  quorla::PublishWindowChange(hwnd);
  return hwnd;
}

BOOL DestroyWindow(HWND hwnd) {
  auto record = LiveWindow(hwnd);
  if (!record) return FALSE;
  if (record->threadId != GetCurrentThreadId()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  {
    std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
    if (record->destroying) return TRUE;  // called again from its own WM_DESTROY
    record->destroying = true;
  }
  quorla::ForgetCaptureOf(hwnd);
  quorla::TakeOffScreen(hwnd);
  SendMessageW(hwnd, WM_DESTROY, 0, 0);
  auto dependents = quorla::WindowsWhere(
      [](const quorla::WindowRecord& candidate, const void* parent) {
        return candidate.parent == parent || candidate.owner == parent;
      },
      hwnd);
  for (auto& dependent : dependents) DestroyWindow(dependent->handle);
  SendMessageW(hwnd, WM_NCDESTROY, 0, 0);
  quorla::RemoveWindow(hwnd);
  if (auto queue = record->queue.lock()) queue->DropMessagesFor(hwnd);
  quorla::ReleaseScreenResources(*record);
  quorla::PublishWindowChange(hwnd);
  return TRUE;
}

BOOL IsWindow(HWND hwnd) {
  if (hwnd == kDesktopWindow || quorla::FindWindowRecord(hwnd)) return TRUE;
  return quorla::LookUpRemoteWindow(hwnd) ? TRUE : FALSE;
}

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index) {
  auto record = LiveWindow(hwnd);
  if (!record) return 0;
  std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
  switch (index) {
    case GWLP_WNDPROC:
      return reinterpret_cast<LONG_PTR>(record->procedure);
    case GWLP_HINSTANCE:
      return reinterpret_cast<LONG_PTR>(record->instance);
    case GWLP_ID:
      return record->id;
    case GWL_STYLE:
      return static_cast<LONG_PTR>(record->style);
    case GWL_EXSTYLE:
      return static_cast<LONG_PTR>(record->exStyle);
    case GWLP_USERDATA:
      return record->userData;
    default:
      break;
  }
  if (index < 0 || static_cast<size_t>(index) + sizeof(LONG_PTR) > record->extraBytes.size()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  LONG_PTR value;
  std::memcpy(&value, record->extraBytes.data() + index, sizeof(value));
  return value;
}

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
  auto record = LiveWindow(hwnd);
  if (!record) return 0;
  // The frame on screen follows the style.
  if (index == GWL_STYLE) return static_cast<LONG_PTR>(quorla::ChangeWindowStyle(hwnd, static_cast<DWORD>(value)));
  std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
  LONG_PTR previous = 0;
  switch (index) {
    case GWLP_WNDPROC:
      previous = reinterpret_cast<LONG_PTR>(record->procedure);
      record->procedure = reinterpret_cast<WNDPROC>(value);
      return previous;
    case GWLP_HINSTANCE:
      previous = reinterpret_cast<LONG_PTR>(record->instance);
      record->instance = reinterpret_cast<HINSTANCE>(value);
      return previous;
    case GWLP_ID:
      previous = record->id;
      record->id = value;
      return previous;
    case GWL_EXSTYLE:
      previous = static_cast<LONG_PTR>(record->exStyle);
      record->exStyle = static_cast<DWORD>(value);
      return previous;
    case GWLP_USERDATA:
      previous = record->userData;
      record->userData = value;
      return previous;
    default:
      break;
  }
  if (index < 0 || static_cast<size_t>(index) + sizeof(LONG_PTR) > record->extraBytes.size()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::memcpy(&previous, record->extraBytes.data() + index, sizeof(previous));
  std::memcpy(record->extraBytes.data() + index, &value, sizeof(value));
  return previous;
}

LONG GetWindowLongW(HWND hwnd, int index) { return static_cast<LONG>(GetWindowLongPtrW(hwnd, index)); }

LONG SetWindowLongW(HWND hwnd, int index, LONG value) {
  // Styles are unsigned 32-bit values: WS_POPUP must not spread into the
  // upper half.
  LONG_PTR wide = (index == GWL_STYLE || index == GWL_EXSTYLE) ? static_cast<LONG_PTR>(static_cast<DWORD>(value)) : value;
  return static_cast<LONG>(SetWindowLongPtrW(hwnd, index, wide));
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId) {
  if (auto remote = quorla::LookUpRemoteWindow(hwnd)) {
    if (processId) *processId = quorla::ProcessOfWindow(hwnd);
    return remote->threadId;
  }
  auto record = LiveWindow(hwnd);
  if (!record) return 0;
  if (processId) *processId = GetCurrentProcessId();
  return record->threadId;
}

HWND FindWindowW(LPCWSTR className, LPCWSTR windowName) {
  struct Query {
    std::shared_ptr<quorla::ClassRecord> windowClass;
    LPCWSTR className;
    LPCWSTR windowName;
  } query{className ? quorla::FindClass(className) : nullptr, className, windowName};
  auto found = quorla::WindowsWhere(
      [](const quorla::WindowRecord& record, const void* context) {
        auto& q = *static_cast<const Query*>(context);
        if (record.messageOnly || record.parent) return false;
        if (q.className && record.windowClass != q.windowClass) return false;
        return !q.windowName || record.title == q.windowName;
      },
      &query);
  if (found.empty()) {
    // A class atom means nothing in another process.
    if (className && reinterpret_cast<ULONG_PTR>(className) <= 0xFFFF) return nullptr;
    auto remote = quorla::FindRemoteWindow(className, windowName);
    return remote ? remote->handle : nullptr;
  }
  // The oldest matching window, for a stable answer.
  HWND best = found.front()->handle;
  for (auto& record : found)
    if (reinterpret_cast<ULONG_PTR>(record->handle) < reinterpret_cast<ULONG_PTR>(best)) best = record->handle;
  return best;
}

HWND GetDesktopWindow() { return kDesktopWindow; }
