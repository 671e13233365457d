#pragma once
// The one engine behind every copy onto a device context (BitBlt,
// StretchBlt, SetDIBitsToDevice, StretchDIBits, AlphaBlend): maps each
// destination pixel inside the DC's drawable region to a source pixel, and
// copies or blends it. Source pixels outside the source surface leave the
// destination unchanged.
#include <QRect>
#include <cstdint>

#include "device_context.h"
#include "surface.h"

namespace quorla {

struct TransferMapping {
  // Destination rectangle in logical coordinates; a negative size mirrors.
  int x = 0, y = 0, width = 0, height = 0;
  // Source rectangle in the source surface's top-down pixel coordinates; a
  // negative size mirrors.
  int sourceX = 0, sourceY = 0, sourceWidth = 0, sourceHeight = 0;
};

enum class TransferKind {
  kCopy,          // the source pixel replaces the destination
  kConstantMix,   // source x a + destination x (255 - a), a = the constant alpha
  kPremultiplied  // premultiplied source over destination, scaled by the constant alpha
};

struct TransferOptions {
  TransferKind kind = TransferKind::kCopy;
  BYTE constantAlpha = 255;
  bool average = false;  // HALFTONE: average the source pixels a destination pixel covers
};

// False when the destination cannot be drawn into or an argument is bad.
bool TransferPixels(DeviceContext& destination, const Surface& source, const TransferMapping& mapping,
                    const TransferOptions& options);

// Blends one pixel word over another.
std::uint32_t BlendPremultiplied(std::uint32_t source, std::uint32_t destination, BYTE constantAlpha);
std::uint32_t BlendConstant(std::uint32_t source, std::uint32_t destination, BYTE constantAlpha);

}  // namespace quorla
