#pragma once
// Icons and bitmaps from the resources built into the program. Icons are
// images with transparency behind HICON handles (resources.h: an icon
// resource is a whole .ico file under RT_GROUP_ICON), drawn with their
// alpha. Bitmap resources (RT_BITMAP: a packed DIB, a BMP file or a PNG
// file) load as opaque 24-bit DIB sections.
#include "win/gdi_objects.h"
#include "win/resources.h"

constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT IMAGE_ICON = 1;
constexpr UINT IMAGE_CURSOR = 2;

constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_DEFAULTSIZE = 0x0040;
constexpr UINT LR_CREATEDIBSECTION = 0x2000;
constexpr UINT LR_SHARED = 0x8000;

constexpr UINT DI_MASK = 0x0001;
constexpr UINT DI_IMAGE = 0x0002;
constexpr UINT DI_NORMAL = 0x0003;
constexpr UINT DI_DEFAULTSIZE = 0x0008;

#define IDI_APPLICATION MAKEINTRESOURCEW(32512)

// WM_SETICON's and WM_GETICON's wParam. WM_SETICON (lParam the icon, which
// stays the caller's) returns the previous icon of that kind; the window's
// icons are its icon on the desktop (on X11 the _NET_WM_ICON property).
constexpr WPARAM ICON_SMALL = 0;
constexpr WPARAM ICON_BIG = 1;


// IMAGE_ICON: picks the image of the icon nearest to width x height and
// scales it to exactly that size. A zero width or height means SM_CXICON x
// SM_CYICON with LR_DEFAULTSIZE, else the picked image's own size. LR_SHARED
// is accepted, but every call makes a new icon, which DestroyIcon frees.
// IMAGE_BITMAP: the bitmap resource as LoadBitmapW gives it, scaled to
// width x height when both are given (it is always a DIB section);
// DeleteObject frees it. Other kinds fail with ERROR_INVALID_PARAMETER.
// instance null means the program. Null with ERROR_RESOURCE_NAME_NOT_FOUND
// when there is no such resource, ERROR_INVALID_DATA when it cannot be read.
WINAPI_EXPORT HANDLE LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int width, int height, UINT flags);
// The icon at SM_CXICON x SM_CYICON. The platform's own icons (IDI_*, with
// instance null) are not offered.
WINAPI_EXPORT HICON LoadIconW(HINSTANCE instance, LPCWSTR name);
WINAPI_EXPORT BOOL DestroyIcon(HICON icon);
// The bitmap resource at its own size.
WINAPI_EXPORT HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name);
// Draws the icon over what is there, scaled to width x height (0: its own
// size, or SM_CXICON x SM_CYICON with DI_DEFAULTSIZE). With a brush the area
// is filled with it first. Only DI_NORMAL drawing is offered; step is not
// used.
WINAPI_EXPORT BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT step,
                              HBRUSH flickerFreeBrush, UINT flags);
