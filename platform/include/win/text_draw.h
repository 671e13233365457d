#pragma once
// Text output with the font, colours and background mode of a DC. A line is
// as high as the font's ascent plus descent; (x, y) of TextOutW is the top
// left of the first character cell.
#include "win/fonts.h"

constexpr UINT DT_TOP = 0x0;
constexpr UINT DT_LEFT = 0x0;
constexpr UINT DT_CENTER = 0x1;
constexpr UINT DT_RIGHT = 0x2;
constexpr UINT DT_VCENTER = 0x4;
constexpr UINT DT_BOTTOM = 0x8;
constexpr UINT DT_WORDBREAK = 0x10;
constexpr UINT DT_SINGLELINE = 0x20;
constexpr UINT DT_EXPANDTABS = 0x40;
constexpr UINT DT_NOCLIP = 0x100;
constexpr UINT DT_CALCRECT = 0x400;
constexpr UINT DT_NOPREFIX = 0x800;
constexpr UINT DT_PATH_ELLIPSIS = 0x4000;
constexpr UINT DT_END_ELLIPSIS = 0x8000;
constexpr UINT DT_MODIFYSTRING = 0x10000;
constexpr UINT DT_WORD_ELLIPSIS = 0x40000;

// Draws text (count -1: zero-terminated) formatted in rect; returns the text
// height, or, with DT_VCENTER or DT_BOTTOM, the offset from rect's top to the
// bottom of the text; 0 on failure. With DT_CALCRECT nothing is drawn and
// rect's right and bottom are set to fit the text.
WINAPI_EXPORT int DrawTextW(HDC dc, LPCWSTR text, int count, LPRECT rect, UINT format);
WINAPI_EXPORT BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int count);
WINAPI_EXPORT BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, LPSIZE size);
