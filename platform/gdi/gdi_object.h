#pragma once
// The layer's records behind drawing handles. Every drawing object lives in
// the process-wide handle table (kernel_object.h) as a GdiObject; looking a
// handle up yields a strong reference, so a device context that still uses
// a bitmap keeps its memory alive after DeleteObject removed the handle.
// The records themselves hold no Qt objects until one is first needed, so
// they can be made during static initialisation, before Qt runs.
#include <cstdint>
#include <memory>
#include <vector>

#include "kernel_object.h"
#include "win/gdi_objects.h"

namespace quorla {

class GdiObject : public KernelObject {
 public:
  // Writes the object's description for GetObjectW (size 0 / null buffer:
  // returns the size needed); 0 when size is too small.
  virtual int Describe(int size, void* buffer) const = 0;
  // Stock objects are never deleted.
  bool stock = false;
};

// The pixels of a pattern brush, copied from its bitmap when the brush is
// made (the bitmap may be deleted afterwards). A monochrome pattern holds
// 0 and 1 per pixel: it paints 0 in the DC's text colour and 1 in its
// background colour; any other pattern holds 0x00RRGGBB words.
struct BrushPattern {
  int width = 0;
  int height = 0;
  bool monochrome = false;
  std::vector<std::uint32_t> pixels;  // rows top to bottom
};

class BrushObject final : public GdiObject {
 public:
  explicit BrushObject(LOGBRUSH brush) : brush(brush) {}
  BrushObject(LOGBRUSH brush, std::shared_ptr<const BrushPattern> pattern)
      : brush(brush), pattern(std::move(pattern)) {}
  int Describe(int size, void* buffer) const override;
  const LOGBRUSH brush;
  const std::shared_ptr<const BrushPattern> pattern;  // BS_PATTERN brushes only
};

template <class T>
std::shared_ptr<T> LookUpGdi(HGDIOBJ handle) {
  return handle ? LookUpHandleAs<T>(handle) : nullptr;
}

// Enters an object into the handle table and gives its handle as type H.
template <class H>
H InsertGdi(std::shared_ptr<GdiObject> object) {
  return static_cast<H>(InsertHandle(std::move(object)));
}

// Copies a plain description into GetObjectW's buffer.
template <class T>
int DescribeAs(const T& value, int size, void* buffer) {
  if (!buffer) return static_cast<int>(sizeof(T));
  if (size < static_cast<int>(sizeof(T))) return 0;
  *static_cast<T*>(buffer) = value;
  return static_cast<int>(sizeof(T));
}

// The colour a brush handle paints with: a brush object, or a system colour
// given as (HBRUSH)(index + 1). False for a null brush or an unknown handle.
bool BrushColor(HBRUSH brush, COLORREF* color);

}  // namespace quorla
