#pragma once
// System metrics and parameters: the few sizes of the desktop the programs
// ask for. Screen sizes and the work area come from the monitors
// (monitors.h); the icon, scroll bar and double-click sizes are the
// platform's fixed defaults at 96 dots per inch.
#include "win/geometry.h"

constexpr int SM_CXSCREEN = 0;  // the primary monitor
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;  // a vertical scroll bar's width
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
constexpr int SM_CXDOUBLECLK = 36;
constexpr int SM_CYDOUBLECLK = 37;
constexpr int SM_CXSMICON = 49;
constexpr int SM_CYSMICON = 50;
constexpr int SM_XVIRTUALSCREEN = 76;  // the box around every monitor
constexpr int SM_YVIRTUALSCREEN = 77;
constexpr int SM_CXVIRTUALSCREEN = 78;
constexpr int SM_CYVIRTUALSCREEN = 79;
constexpr int SM_CMONITORS = 80;

// 0 for an index not listed above.
WINAPI_EXPORT int GetSystemMetrics(int index);

constexpr UINT SPI_GETWORKAREA = 0x0030;

// SPI_GETWORKAREA writes the primary monitor's work area into the RECT
// that parameter points to. Other actions fail with ERROR_INVALID_PARAMETER.
WINAPI_EXPORT BOOL SystemParametersInfoW(UINT action, UINT uiParameter, PVOID parameter, UINT winIni);
