// Shared operations on drawing objects: stock objects, brushes, system
// colours, GetObjectW and DeleteObject.
#include <array>
#include <mutex>

#include "font_object.h"
#include "gdi_object.h"
#include "win/last_error.h"

namespace quorla {

int BrushObject::Describe(int size, void* buffer) const { return DescribeAs(brush, size, buffer); }

namespace {

// Colours of a light classic scheme, indexed by COLOR_*.
constexpr std::array<COLORREF, 31> kSysColors = {
    RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219), RGB(240, 240, 240),
    RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(180, 180, 180), RGB(244, 247, 252), RGB(171, 171, 171), RGB(0, 120, 215),   RGB(255, 255, 255),
    RGB(240, 240, 240), RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(0, 0, 0),       RGB(0, 102, 204),   RGB(185, 209, 234), RGB(215, 228, 242), RGB(0, 120, 215),
    RGB(240, 240, 240)};

HGDIOBJ MakeStock(std::shared_ptr<GdiObject> object) {
  object->stock = true;
  return InsertHandle(std::move(object));
}

HGDIOBJ MakeStockBrush(UINT style, COLORREF color) {
  return MakeStock(std::make_shared<BrushObject>(LOGBRUSH{style, color, 0}));
}

struct StockObjects {
  std::array<HGDIOBJ, 20> objects{};
  StockObjects() {
    objects[WHITE_BRUSH] = MakeStockBrush(BS_SOLID, RGB(255, 255, 255));
    objects[LTGRAY_BRUSH] = MakeStockBrush(BS_SOLID, RGB(192, 192, 192));
    objects[GRAY_BRUSH] = MakeStockBrush(BS_SOLID, RGB(128, 128, 128));
    objects[DKGRAY_BRUSH] = MakeStockBrush(BS_SOLID, RGB(64, 64, 64));
    objects[BLACK_BRUSH] = MakeStockBrush(BS_SOLID, RGB(0, 0, 0));
    objects[NULL_BRUSH] = MakeStockBrush(BS_NULL, 0);
    objects[SYSTEM_FONT] = MakeStock(std::make_shared<FontObject>(SystemFontDescription()));
    objects[DEFAULT_GUI_FONT] = MakeStock(std::make_shared<FontObject>(DefaultGuiFontDescription()));
  }
};

}  // namespace

bool BrushColor(HBRUSH brush, COLORREF* color) {
  auto value = reinterpret_cast<ULONG_PTR>(brush);
  if (value >= 1 && value <= kSysColors.size()) {
    *color = kSysColors[value - 1];
    return true;
  }
  auto object = LookUpGdi<BrushObject>(brush);
  if (!object || object->brush.lbStyle != BS_SOLID) return false;
  *color = object->brush.lbColor & 0x00FFFFFFu;
  return true;
}

}  // namespace quorla

HGDIOBJ GetStockObject(int index) {
  static auto* stock = new quorla::StockObjects;  // outlives every static destructor
  if (index < 0 || index >= static_cast<int>(stock->objects.size())) return nullptr;
  return stock->objects[index];
}

DWORD GetSysColor(int index) {
  if (index < 0 || index >= static_cast<int>(quorla::kSysColors.size())) return 0;
  return quorla::kSysColors[index];
}

HBRUSH CreateSolidBrush(COLORREF color) {
  return quorla::InsertGdi<HBRUSH>(std::make_shared<quorla::BrushObject>(LOGBRUSH{BS_SOLID, color & 0x00FFFFFFu, 0}));
}

BOOL DeleteObject(HGDIOBJ object) {
  auto gdi = quorla::LookUpGdi<quorla::GdiObject>(object);
  if (!gdi) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (gdi->stock) return TRUE;
  quorla::RemoveHandle(object);
  return TRUE;
}

int GetObjectW(HGDIOBJ object, int size, LPVOID buffer) {
  auto gdi = quorla::LookUpGdi<quorla::GdiObject>(object);
  if (!gdi) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (buffer && size <= 0) return 0;
  return gdi->Describe(size, buffer);
}
