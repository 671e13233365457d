// Window DCs for the application: GetDC, ReleaseDC, BeginPaint, EndPaint.
#include "region_object.h"
#include "screen_dc.h"
#include "transparent_backdrop.h"
#include "update_regions.h"
#include "window_dc.h"
#include "win/last_error.h"
#include "win/painting.h"
#include "win/messages.h"
#include "win/window_objects.h"

HDC GetDC(HWND hwnd) {
  if (quorla::IsScreenWindow(hwnd)) return quorla::OpenScreenDc();
  HDC dc = quorla::OpenWindowDc(hwnd, std::nullopt);
  if (!dc) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return dc;
}

HDC GetWindowDC(HWND hwnd) { return GetDC(hwnd); }

int ReleaseDC(HWND, HDC dc) { return quorla::CloseWindowDc(dc) || quorla::CloseScreenDc(dc) ? 1 : 0; }

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint) {
  if (!paint) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  QRegion area;
  bool erase = false;
  {
    std::lock_guard<std::mutex> guard(quorla::WindowTableLock());
    auto window = quorla::FindWindowRecordLocked(hwnd);
    if (!window) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
    area = window->ui.update & QRect(QPoint(0, 0), quorla::SizeOf(*window));
    erase = window->ui.erasePending;
    window->ui.update = QRegion();
    window->ui.erasePending = false;
  }
  *paint = PAINTSTRUCT{};
  if (erase) quorla::LayBackdrop(hwnd, area);
  paint->hdc = quorla::OpenWindowDc(hwnd, area);
  paint->rcPaint = quorla::ToRect(area.boundingRect());
  if (erase) paint->fErase = SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(paint->hdc), 0) ? FALSE : TRUE;
  return paint->hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* paint) {
  if (!paint) return FALSE;
  quorla::CloseWindowDc(paint->hdc);
  return TRUE;
}
