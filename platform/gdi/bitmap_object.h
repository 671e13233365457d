#pragma once
// A bitmap: pixel memory in DIB layout with its description. DIB sections
// own zero-filled memory that the caller writes into directly; the memory
// stays at one address for the bitmap's life. Drawing reaches it through
// Surface(). One thread draws into a bitmap at a time (the one using the DC
// it is selected into); nothing here locks.
#include <cstdlib>
#include <memory>
#include <vector>

#include "gdi_object.h"
#include "surface.h"

namespace quorla {

class BitmapObject final : public GdiObject {
 public:
  // Null when the description is unsupported or the memory cannot be had.
  // height < 0 makes a top-down bitmap.
  static std::shared_ptr<BitmapObject> Create(int width, int height, int bitCount, const RGBQUAD* palette,
                                              int paletteSize);
  ~BitmapObject() override { std::free(bits_); }

  int Describe(int size, void* buffer) const override;
  Surface GetSurface() const;
  void* Bits() const { return bits_; }
  const BITMAPINFOHEADER& Header() const { return header_; }

 private:
  BitmapObject() = default;
  BITMAPINFOHEADER header_{};
  BYTE* bits_ = nullptr;
  std::int64_t stride_ = 0;
  std::vector<RGBQUAD> palette_;
};

// The largest pixel block the layer gives a bitmap (the platform's DIB
// sections stop at 2 GiB as well).
constexpr std::int64_t kMaxBitmapBytes = 0x7FFFFFFF;

}  // namespace quorla
