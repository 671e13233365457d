#pragma once
// Registration of the common control classes. The layer's controls need no
// registration; the call only checks its record.
#include "win/types.h"

struct INITCOMMONCONTROLSEX {
  DWORD dwSize;
  DWORD dwICC;
};
using LPINITCOMMONCONTROLSEX = INITCOMMONCONTROLSEX*;

constexpr DWORD ICC_LISTVIEW_CLASSES = 0x01;
constexpr DWORD ICC_TREEVIEW_CLASSES = 0x02;
constexpr DWORD ICC_BAR_CLASSES = 0x04;
constexpr DWORD ICC_TAB_CLASSES = 0x08;
constexpr DWORD ICC_UPDOWN_CLASS = 0x10;
constexpr DWORD ICC_PROGRESS_CLASS = 0x20;
constexpr DWORD ICC_HOTKEY_CLASS = 0x40;
constexpr DWORD ICC_ANIMATE_CLASS = 0x80;
constexpr DWORD ICC_WIN95_CLASSES = 0xFF;

// TRUE for a record of the right size (8 bytes); FALSE for null or another size.
WINAPI_EXPORT BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls);
