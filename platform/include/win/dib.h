#pragma once
// Device-independent bitmaps: the packed-DIB description (BITMAPINFO) and DIB
// sections, bitmaps whose pixel memory the caller reads and writes directly.
// The memory is laid out as the platform lays it out: rows padded to four
// bytes, bottom row first for a positive height, top row first for a
// negative one; 24-bit pixels blue, green, red; 32-bit blue, green, red,
// alpha.
#include "win/gdi_objects.h"

#pragma pack(push, 1)
struct BITMAPFILEHEADER {
  WORD bfType;
  DWORD bfSize;
  WORD bfReserved1;
  WORD bfReserved2;
  DWORD bfOffBits;
};
#pragma pack(pop)
static_assert(sizeof(BITMAPFILEHEADER) == 14);

struct BITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);
using LPBITMAPINFOHEADER = BITMAPINFOHEADER*;

struct BITMAPCOREHEADER {
  DWORD bcSize;
  WORD bcWidth;
  WORD bcHeight;
  WORD bcPlanes;
  WORD bcBitCount;
};
static_assert(sizeof(BITMAPCOREHEADER) == 12);

struct RGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
};
static_assert(sizeof(RGBQUAD) == 4);

struct RGBTRIPLE {
  BYTE rgbtBlue;
  BYTE rgbtGreen;
  BYTE rgbtRed;
};
static_assert(sizeof(RGBTRIPLE) == 3);

struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
};
using LPBITMAPINFO = BITMAPINFO*;

struct DIBSECTION {
  BITMAP dsBm;
  BITMAPINFOHEADER dsBmih;
  DWORD dsBitfields[3];
  HANDLE dshSection;
  DWORD dsOffset;
};

constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_RLE8 = 1;
constexpr DWORD BI_RLE4 = 2;
constexpr DWORD BI_BITFIELDS = 3;
constexpr UINT DIB_RGB_COLORS = 0;
constexpr UINT DIB_PAL_COLORS = 1;

// Makes a DIB section of 1, 4, 8, 24 or 32 bits (BI_RGB) with the palette of
// info for 8 bits or fewer. *bits receives the zero-filled pixel memory,
// owned by the bitmap until DeleteObject. Only DIB_RGB_COLORS and a null
// section are supported. The device context may be null.
WINAPI_EXPORT HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                                       DWORD offset);
// A 32-bit top-down bitmap of the given size, zero-filled, for double
// buffering.
WINAPI_EXPORT HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// A bitmap of 1, 24 or 32 bits per pixel with one plane, top row first,
// filled from bits when given (rows padded to 16 bits, as device bitmaps
// are), else zero-filled.
WINAPI_EXPORT HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
