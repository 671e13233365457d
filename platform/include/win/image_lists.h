#pragma once
// Image lists: a size that every image of the list has. The programs ask
// of them only their size (a list view's rows are at least as high as its
// small image list), so this layer keeps no images in them.
#include "win/types.h"

struct QuorlaImageList;
using HIMAGELIST = QuorlaImageList*;

constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR = 0x0000;
constexpr UINT ILC_COLOR4 = 0x0004;
constexpr UINT ILC_COLOR8 = 0x0008;
constexpr UINT ILC_COLOR16 = 0x0010;
constexpr UINT ILC_COLOR24 = 0x0018;
constexpr UINT ILC_COLOR32 = 0x0020;

// A list of images of cx × cy pixels; null for a size below 1.
WINAPI_EXPORT HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
// FALSE for null or a list already destroyed.
WINAPI_EXPORT BOOL ImageList_Destroy(HIMAGELIST list);
WINAPI_EXPORT BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
// Always 0: no images are kept.
WINAPI_EXPORT int ImageList_GetImageCount(HIMAGELIST list);
