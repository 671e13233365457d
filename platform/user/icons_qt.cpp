// Icons from icon resources, and drawing them onto DCs.
#include <algorithm>

#include "bitmap_resources.h"
#include "device_context.h"
#include "icon_file.h"
#include "icon_object.h"
#include "pixel_transfer.h"
#include "win/dc.h"
#include "win/icons.h"
#include "win/last_error.h"
#include "win/system_metrics.h"

namespace quorla {

QImage IconImage(HICON icon) {
  auto object = LookUpGdi<IconObject>(icon);
  return object ? object->image : QImage();
}

namespace {

HICON LoadIconResource(HINSTANCE instance, LPCWSTR name, int width, int height, UINT flags) {
  HRSRC resource = FindResourceW(instance, name, RT_GROUP_ICON);
  if (!resource) return nullptr;  // FindResourceW set the error
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(instance, resource)));
  DWORD size = SizeofResource(instance, resource);
  std::vector<IconEntry> entries = ReadIconDirectory(data, size);
  if (entries.empty()) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  if (flags & LR_DEFAULTSIZE) {
    if (width == 0) width = GetSystemMetrics(SM_CXICON);
    if (height == 0) height = GetSystemMetrics(SM_CYICON);
  }
  // Without a size to aim at, the picked image keeps its own.
  int aimWidth = width ? width : GetSystemMetrics(SM_CXICON);
  int aimHeight = height ? height : GetSystemMetrics(SM_CYICON);
  QImage image = DecodeIconImage(data, size, entries[NearestIconEntry(entries, aimWidth, aimHeight)]);
  if (image.isNull()) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  QSize wanted(width ? width : image.width(), height ? height : image.height());
  if (image.size() != wanted) {
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                .scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_ARGB32);
  }
  return InsertGdi<HICON>(std::make_shared<IconObject>(std::move(image)));
}

}  // namespace
}  // namespace quorla

HANDLE LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int width, int height, UINT flags) {
  if ((type != IMAGE_ICON && type != IMAGE_BITMAP) || !name || width < 0 || height < 0 || width > 1024 ||
      height > 1024) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (type == IMAGE_BITMAP) return quorla::LoadBitmapResource(instance, name, width, height);
  return quorla::LoadIconResource(instance, name, width, height, flags);
}

HICON LoadIconW(HINSTANCE instance, LPCWSTR name) {
  return static_cast<HICON>(LoadImageW(instance, name, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

BOOL DestroyIcon(HICON icon) {
  if (!quorla::LookUpGdi<quorla::IconObject>(icon)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  quorla::RemoveHandle(icon);
  return TRUE;
}

BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT, HBRUSH flickerFreeBrush, UINT flags) {
  auto context = quorla::LookUpDc(dc);
  QImage image = quorla::IconImage(icon);
  if (!context || image.isNull()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if ((flags & DI_NORMAL) != DI_NORMAL || width < 0 || height < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (width == 0) width = (flags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CXICON) : image.width();
  if (height == 0) height = (flags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CYICON) : image.height();
  if (flickerFreeBrush) {
    RECT area{x, y, x + width, y + height};
    FillRect(dc, &area, flickerFreeBrush);
  }
  // A premultiplied 32-bit image has the byte order of a 32-bit DIB.
  QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  quorla::Surface surface;
  surface.top = source.bits();
  surface.pitch = source.bytesPerLine();
  surface.width = source.width();
  surface.height = source.height();
  surface.bitCount = 32;
  quorla::TransferOptions options;
  options.kind = quorla::TransferKind::kPremultiplied;
  quorla::TransferMapping mapping{x, y, width, height, 0, 0, source.width(), source.height()};
  return quorla::TransferPixels(*context, surface, mapping, options) ? TRUE : FALSE;
}
