#pragma once
// Painting windows. Every window on screen keeps a persistent image that all
// of its device contexts draw into; the screen shows that image. A child
// window draws into its top-level window's image at its own place. A window
// DC's coordinates are the window's client coordinates; it draws only inside
// the window's region, and a window with WS_CLIPCHILDREN does not draw over
// its visible children, but for transparent ones (WS_EX_TRANSPARENT): those
// paint after their parent over its pixels, and when they erase their
// background alone they start from what the parent last painted beneath
// them.
//
// The layer keeps each window's update region. WM_PAINT comes from the
// message loop for a visible window whose update region is not empty, when
// the queue holds nothing else; hidden windows get none. Showing a window
// invalidates all of it.
#include "win/dc.h"
#include "win/regions.h"
#include "win/window_state.h"

struct PAINTSTRUCT {
  HDC hdc;
  BOOL fErase;  // the background still needs erasing (WM_ERASEBKGND returned 0)
  RECT rcPaint;
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
};
using LPPAINTSTRUCT = PAINTSTRUCT*;

// A DC on the window's client area. What it draws shows on screen without
// waiting for WM_PAINT. Null for a window that is gone. For a null window or
// the desktop window, the screen's DC (screen coordinates): it draws
// nothing but the inverting PatBlt operations (win/blit.h), which show as
// the drag outline the platform draws by inverting the screen.
WINAPI_EXPORT HDC GetDC(HWND hwnd);
// The same DC as GetDC: the whole window is its client area.
WINAPI_EXPORT HDC GetWindowDC(HWND hwnd);
constexpr DWORD DCX_WINDOW = 0x00000001;
constexpr DWORD DCX_CACHE = 0x00000002;
constexpr DWORD DCX_CLIPCHILDREN = 0x00000008;
constexpr DWORD DCX_CLIPSIBLINGS = 0x00000010;
constexpr DWORD DCX_PARENTCLIP = 0x00000020;
constexpr DWORD DCX_EXCLUDERGN = 0x00000040;
constexpr DWORD DCX_INTERSECTRGN = 0x00000080;
constexpr DWORD DCX_LOCKWINDOWUPDATE = 0x00000400;
// As GetDC. With DCX_INTERSECTRGN or DCX_EXCLUDERGN the DC is clipped to
// the region, or outside it, and the region belongs to the layer from then
// on (it is deleted). The other flags change nothing here: every window DC
// clips as its window's styles say.
WINAPI_EXPORT HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags);
// Returns 1 when the DC was a window or screen DC and is released.
WINAPI_EXPORT int ReleaseDC(HWND hwnd, HDC dc);

// Sends WM_ERASEBKGND first when the invalidation asked for erasing, clips
// the DC to the update region and empties the update region.
WINAPI_EXPORT HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint);
WINAPI_EXPORT BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);

// rect null: the whole client area. erase asks for WM_ERASEBKGND before the
// next paint.
WINAPI_EXPORT BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
WINAPI_EXPORT BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase);
WINAPI_EXPORT BOOL ValidateRect(HWND hwnd, const RECT* rect);
WINAPI_EXPORT BOOL ValidateRgn(HWND hwnd, HRGN region);
// The bounding box of the update region (client coordinates); nonzero when
// it is not empty. With erase, a pending background erase happens now.
WINAPI_EXPORT BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase);
// Copies the update region; its type.
WINAPI_EXPORT int GetUpdateRgn(HWND hwnd, HRGN region, BOOL erase);
// Sends WM_PAINT at once when the window is visible and its update region
// is not empty.
WINAPI_EXPORT BOOL UpdateWindow(HWND hwnd);

constexpr UINT RDW_INVALIDATE = 0x0001;
constexpr UINT RDW_INTERNALPAINT = 0x0002;
constexpr UINT RDW_ERASE = 0x0004;
constexpr UINT RDW_VALIDATE = 0x0008;
constexpr UINT RDW_NOINTERNALPAINT = 0x0010;
constexpr UINT RDW_NOERASE = 0x0020;
constexpr UINT RDW_NOCHILDREN = 0x0040;
constexpr UINT RDW_ALLCHILDREN = 0x0080;
constexpr UINT RDW_UPDATENOW = 0x0100;
constexpr UINT RDW_ERASENOW = 0x0200;
constexpr UINT RDW_FRAME = 0x0400;
constexpr UINT RDW_NOFRAME = 0x0800;

// Invalidates or validates the rectangle or region (both null: the whole
// client area), for the child windows too with RDW_ALLCHILDREN; with
// RDW_UPDATENOW paints (erasing first) before it returns, with RDW_ERASENOW
// only erases.
WINAPI_EXPORT BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags);
