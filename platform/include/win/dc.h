#pragma once
// Device contexts: the drawing state (selected bitmap, font and brush,
// colours, modes, viewport origin, clipping) through which every drawing
// call reaches a surface. Memory DCs draw into the bitmap selected into
// them. A DC is used by one thread at a time, as on the platform.
#include "win/gdi_objects.h"

// Makes a memory DC holding a 1 x 1 monochrome bitmap until another is
// selected; the reference DC may be null.
WINAPI_EXPORT HDC CreateCompatibleDC(HDC reference);
WINAPI_EXPORT BOOL DeleteDC(HDC dc);
// Selects a bitmap, brush or font and returns the one it replaces, or null
// on failure; a region is made the clipping region (a copy) and the region
// type comes back as the result.
WINAPI_EXPORT HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
WINAPI_EXPORT HGDIOBJ GetCurrentObject(HDC dc, UINT kind);
constexpr UINT OBJ_BRUSH = 2;
constexpr UINT OBJ_FONT = 6;
constexpr UINT OBJ_BITMAP = 7;

// Pushes the whole state; returns the new depth (1 for the first save), or 0.
WINAPI_EXPORT int SaveDC(HDC dc);
// Pops back to the given depth, or, with a negative value, that many levels
// up from the current one. FALSE when there is no such level.
WINAPI_EXPORT BOOL RestoreDC(HDC dc, int savedDc);

WINAPI_EXPORT BOOL SetViewportOrgEx(HDC dc, int x, int y, LPPOINT previous);
WINAPI_EXPORT BOOL GetViewportOrgEx(HDC dc, LPPOINT origin);
WINAPI_EXPORT BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, LPPOINT previous);

WINAPI_EXPORT COLORREF SetTextColor(HDC dc, COLORREF color);
WINAPI_EXPORT COLORREF GetTextColor(HDC dc);
WINAPI_EXPORT COLORREF SetBkColor(HDC dc, COLORREF color);
WINAPI_EXPORT COLORREF GetBkColor(HDC dc);
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
// Returns the previous mode, 0 on failure.
WINAPI_EXPORT int SetBkMode(HDC dc, int mode);
WINAPI_EXPORT int GetBkMode(HDC dc);

// Fills with a brush, or with a system colour given as (HBRUSH)(index + 1).
// The right and bottom edges are not filled.
WINAPI_EXPORT int FillRect(HDC dc, const RECT* rect, HBRUSH brush);

constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
// The layer draws at 96 dots per inch on every device.
WINAPI_EXPORT int GetDeviceCaps(HDC dc, int index);
