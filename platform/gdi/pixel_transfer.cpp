#include "pixel_transfer.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace quorla {
namespace {

inline std::uint32_t Channel(std::uint32_t p, int shift) { return (p >> shift) & 0xFFu; }
inline std::uint32_t Div255(std::uint32_t v) { return (v + 127) / 255; }

// Which source index each destination index maps to: [first, last) covered
// source indexes along one axis, for a destination extent and a source
// extent of the given signed sizes.
struct AxisMap {
  std::vector<int> first;
  std::vector<int> last;
};

AxisMap MapAxis(int destinationOffset, int count, int destinationSize, int sourceStart, int sourceSize, bool average) {
  AxisMap map;
  map.first.resize(count);
  map.last.resize(count);
  long long dn = std::abs(static_cast<long long>(destinationSize));
  long long sn = std::abs(static_cast<long long>(sourceSize));
  bool mirror = (destinationSize < 0) != (sourceSize < 0);
  // A rectangle runs between its two edges whatever the sign of its size.
  long long base = std::min<long long>(sourceStart, static_cast<long long>(sourceStart) + sourceSize);
  for (int k = 0; k < count; ++k) {
    long long i = destinationOffset + k;
    if (mirror) i = dn - 1 - i;
    long long a = base + i * sn / dn;
    long long b = average ? base + (i + 1) * sn / dn : a + 1;
    if (b <= a) b = a + 1;
    map.first[k] = static_cast<int>(std::clamp<long long>(a, INT32_MIN / 2, INT32_MAX / 2));
    map.last[k] = static_cast<int>(std::clamp<long long>(b, INT32_MIN / 2, INT32_MAX / 2));
  }
  return map;
}

// The average of the source pixels in [x0, x1) x [y0, y1), clipped to the
// surface; false when none is inside.
bool AveragePixel(const Surface& s, int x0, int x1, int y0, int y1, std::uint32_t* out) {
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, s.width);
  y1 = std::min(y1, s.height);
  if (x0 >= x1 || y0 >= y1) return false;
  if (x1 - x0 == 1 && y1 - y0 == 1) {
    *out = ReadPixel(s, x0, y0);
    return true;
  }
  std::uint64_t sum[4] = {0, 0, 0, 0};
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      std::uint32_t p = ReadPixel(s, x, y);
      for (int c = 0; c < 4; ++c) sum[c] += Channel(p, c * 8);
    }
  }
  std::uint64_t n = static_cast<std::uint64_t>(x1 - x0) * static_cast<std::uint64_t>(y1 - y0);
  std::uint32_t result = 0;
  for (int c = 0; c < 4; ++c) result |= static_cast<std::uint32_t>((sum[c] + n / 2) / n) << (c * 8);
  *out = result;
  return true;
}

}  // namespace

std::uint32_t BlendPremultiplied(std::uint32_t source, std::uint32_t destination, BYTE constantAlpha) {
  if (constantAlpha != 255) {
    std::uint32_t scaled = 0;
    for (int c = 0; c < 32; c += 8) scaled |= Div255(Channel(source, c) * constantAlpha) << c;
    source = scaled;
  }
  std::uint32_t inverse = 255 - Channel(source, 24);
  std::uint32_t result = 0;
  for (int c = 0; c < 32; c += 8) {
    std::uint32_t v = Channel(source, c) + Div255(Channel(destination, c) * inverse);
    result |= std::min<std::uint32_t>(v, 255) << c;
  }
  return result;
}

std::uint32_t BlendConstant(std::uint32_t source, std::uint32_t destination, BYTE constantAlpha) {
  std::uint32_t a = constantAlpha;
  std::uint32_t result = 0;
  for (int c = 0; c < 32; c += 8) {
    result |= Div255(Channel(source, c) * a + Channel(destination, c) * (255 - a)) << c;
  }
  return result;
}

bool TransferPixels(DeviceContext& destination, const Surface& sourceIn, const TransferMapping& m,
                    const TransferOptions& options) {
  Surface target = destination.GetSurface();
  if (!target.Writable() || !sourceIn.Valid()) return false;
  if (m.width == 0 || m.height == 0 || m.sourceWidth == 0 || m.sourceHeight == 0) return true;

  // Copying within one surface: read from a snapshot so that overlapping
  // rectangles copy what was there before.
  Surface source = sourceIn;
  std::vector<std::uint32_t> snapshot;
  if (source.top == target.top) {
    snapshot.resize(static_cast<size_t>(source.width) * source.height);
    for (int y = 0; y < source.height; ++y) ReadPixels(source, 0, y, source.width, &snapshot[size_t(y) * source.width]);
    source = Surface{reinterpret_cast<BYTE*>(snapshot.data()), static_cast<std::ptrdiff_t>(source.width) * 4,
                     source.width, source.height, 32, nullptr, 0};
  }

  QPoint origin = destination.Origin();
  long long left = static_cast<long long>(std::min(m.x, m.x + m.width)) + origin.x();
  long long top = static_cast<long long>(std::min(m.y, m.y + m.height)) + origin.y();
  long long right = left + std::abs(static_cast<long long>(m.width));
  long long bottom = top + std::abs(static_cast<long long>(m.height));
  long long l = std::max<long long>(left, 0), t = std::max<long long>(top, 0);
  long long r = std::min<long long>(right, target.width), b = std::min<long long>(bottom, target.height);
  if (r <= l || b <= t) return true;
  QRect area(static_cast<int>(l), static_cast<int>(t), static_cast<int>(r - l), static_cast<int>(b - t));
  QRegion region = destination.DrawableRegion().intersected(area);

  // A plain 1:1 copy between 32-bit surfaces moves whole row runs.
  if (options.kind == TransferKind::kCopy && !options.average && m.width > 0 && m.height > 0 &&
      m.sourceWidth == m.width && m.sourceHeight == m.height && source.bitCount == 32 && target.bitCount == 32) {
    for (const QRect& r : region) {
      long long sx0 = static_cast<long long>(m.sourceX) + (r.left() - left);
      long long first = std::max<long long>(0, -sx0), last = std::min<long long>(r.width(), source.width - sx0);
      if (last <= first) continue;
      for (int y = r.top(); y <= r.bottom(); ++y) {
        long long sy = static_cast<long long>(m.sourceY) + (y - top);
        if (sy < 0 || sy >= source.height) continue;
        std::memcpy(target.Row(y) + (r.left() + first) * 4, source.Row(static_cast<int>(sy)) + (sx0 + first) * 4,
                    static_cast<size_t>(last - first) * 4);
      }
    }
    return true;
  }

  std::vector<std::uint32_t> row;
  for (const QRect& r : region) {
    AxisMap columns = MapAxis(static_cast<int>(r.left() - left), r.width(), m.width, m.sourceX, m.sourceWidth,
                              options.average);
    AxisMap rows = MapAxis(static_cast<int>(r.top() - top), r.height(), m.height, m.sourceY, m.sourceHeight,
                           options.average);
    row.resize(r.width());
    for (int j = 0; j < r.height(); ++j) {
      int y = r.top() + j;
      if (rows.last[j] <= 0 || rows.first[j] >= source.height) continue;
      ReadPixels(target, r.left(), y, r.width(), row.data());
      bool changed = false;
      for (int i = 0; i < r.width(); ++i) {
        std::uint32_t p;
        if (options.average) {
          if (!AveragePixel(source, columns.first[i], columns.last[i], rows.first[j], rows.last[j], &p)) continue;
        } else {
          int sx = columns.first[i], sy = rows.first[j];
          if (sx < 0 || sx >= source.width || sy < 0 || sy >= source.height) continue;
          p = ReadPixel(source, sx, sy);
        }
        switch (options.kind) {
          case TransferKind::kCopy:
            row[i] = p;
            break;
          case TransferKind::kConstantMix:
            row[i] = BlendConstant(p, row[i], options.constantAlpha);
            break;
          case TransferKind::kPremultiplied:
            row[i] = BlendPremultiplied(p, row[i], options.constantAlpha);
            break;
        }
        changed = true;
      }
      if (changed) WritePixels(target, r.left(), y, r.width(), row.data());
    }
  }
  return true;
}

}  // namespace quorla
