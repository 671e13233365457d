#pragma once
// Drawing objects behind handles (bitmaps, brushes, fonts, regions) and the
// operations every kind shares: GetObjectW, DeleteObject, stock objects.
// Colours are COLORREF values 0x00BBGGRR.
#include "win/geometry.h"
#include "win/types.h"

using HGDIOBJ = void*;
QUORLA_DECLARE_HANDLE(HBITMAP);
QUORLA_DECLARE_HANDLE(HBRUSH);
QUORLA_DECLARE_HANDLE(HFONT);
QUORLA_DECLARE_HANDLE(HRGN);
QUORLA_DECLARE_HANDLE(HDC);
QUORLA_DECLARE_HANDLE(HPALETTE);

using COLORREF = DWORD;
constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
  return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>(c >> 8); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>(c >> 16); }
constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;

// What GetObjectW fills for a bitmap.
struct BITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;
};

constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
constexpr UINT BS_HOLLOW = BS_NULL;
constexpr UINT BS_PATTERN = 3;
struct LOGBRUSH {
  UINT lbStyle;
  COLORREF lbColor;
  ULONG_PTR lbHatch;
};

// Stock objects. They are never deleted: DeleteObject on one does nothing.
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int SYSTEM_FONT = 13;
constexpr int DEFAULT_GUI_FONT = 17;

// System colour indexes, for GetSysColor and for FillRect's
// (HBRUSH)(index + 1) form.
constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_BACKGROUND = 1;
constexpr int COLOR_ACTIVECAPTION = 2;
constexpr int COLOR_INACTIVECAPTION = 3;
constexpr int COLOR_MENU = 4;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_MENUTEXT = 7;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_CAPTIONTEXT = 9;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;

WINAPI_EXPORT HGDIOBJ GetStockObject(int index);
WINAPI_EXPORT DWORD GetSysColor(int index);
// Frees the object; FALSE for an unknown handle. An object still selected
// into a device context stays usable by that context until it is replaced.
WINAPI_EXPORT BOOL DeleteObject(HGDIOBJ object);
// Copies the object's description (BITMAP or DIBSECTION, LOGFONTW, LOGBRUSH)
// into buffer and returns the bytes written; with a null buffer returns the
// size needed; 0 on failure.
WINAPI_EXPORT int GetObjectW(HGDIOBJ object, int size, LPVOID buffer);

WINAPI_EXPORT HBRUSH CreateSolidBrush(COLORREF color);
// A brush that tiles a copy of the bitmap from the device origin. A
// monochrome (1-bit) bitmap paints its 0 pixels in the DC's text colour and
// its 1 pixels in the background colour. The bitmap may be deleted once the
// brush exists. Null for an unknown bitmap.
WINAPI_EXPORT HBRUSH CreatePatternBrush(HBITMAP bitmap);
