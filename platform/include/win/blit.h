#pragma once
// Copies between device contexts and from packed DIBs to a device context.
// Coordinates are logical on both sides; the destination's clipping applies.
#include "win/dib.h"

constexpr DWORD SRCCOPY = 0x00CC0020u;
// Raster operations of PatBlt: the brush's pattern (P) against the
// destination (D).
constexpr DWORD PATCOPY = 0x00F00021u;    // P
constexpr DWORD PATINVERT = 0x005A0049u;  // P xor D
constexpr DWORD DSTINVERT = 0x00550009u;  // not D
constexpr DWORD BLACKNESS = 0x00000042u;
constexpr DWORD WHITENESS = 0x00FF0062u;

constexpr int BLACKONWHITE = 1;
constexpr int WHITEONBLACK = 2;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;
constexpr int STRETCH_ANDSCANS = BLACKONWHITE;
constexpr int STRETCH_ORSCANS = WHITEONBLACK;
constexpr int STRETCH_DELETESCANS = COLORONCOLOR;
constexpr int STRETCH_HALFTONE = HALFTONE;
// Returns the previous mode, 0 on failure.
WINAPI_EXPORT int SetStretchBltMode(HDC dc, int mode);
WINAPI_EXPORT int GetStretchBltMode(HDC dc);

WINAPI_EXPORT BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                          DWORD rop);
// Scales by nearest neighbour, or by averaging the covered source pixels in
// HALFTONE mode. A negative width or height mirrors.
WINAPI_EXPORT BOOL StretchBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
                              int sourceY, int sourceWidth, int sourceHeight, DWORD rop);

// Copies lines [startScan, startScan + lines) of a DIB whose bits hold just
// those lines. sourceY counts from the bottom of a bottom-up DIB and from the
// top of a top-down one. Returns the number of lines copied (0 on failure).
WINAPI_EXPORT int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int sourceX, int sourceY,
                                    UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage);
// Scales a rectangle of a DIB into the destination rectangle; returns the
// number of lines of the source rectangle (0 on failure).
WINAPI_EXPORT int StretchDIBits(HDC dc, int x, int y, int width, int height, int sourceX, int sourceY,
                                int sourceWidth, int sourceHeight, const void* bits, const BITMAPINFO* info,
                                UINT usage, DWORD rop);

constexpr BYTE AC_SRC_OVER = 0x00;
constexpr BYTE AC_SRC_ALPHA = 0x01;
struct BLENDFUNCTION {
  BYTE BlendOp;
  BYTE BlendFlags;
  BYTE SourceConstantAlpha;
  BYTE AlphaFormat;
};
// Blends source over destination: with AC_SRC_ALPHA the source must be a
// 32-bit bitmap of premultiplied colour, and each channel becomes
// source + destination x (255 - source alpha) / 255 after the source was
// scaled by the constant alpha; without it, the constant alpha mixes the
// two. FALSE when the source rectangle leaves the source bitmap.
WINAPI_EXPORT BOOL AlphaBlend(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
                              int sourceY, int sourceWidth, int sourceHeight, BLENDFUNCTION blend);

// Paints the rectangle (logical coordinates; a negative width or height
// extends left or up) with the DC's brush by the raster operation, inside
// the DC's clipping. On the screen's DC (GetDC(nullptr)) only PATINVERT and
// DSTINVERT are offered: they invert the area on the screen's drag-outline
// overlay, so that the same call made twice leaves nothing behind.
WINAPI_EXPORT BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
