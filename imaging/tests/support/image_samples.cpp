#include "image_samples.h"

namespace quorla_test {

void Put16(Bytes& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(Bytes& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

Bytes MakeBmp(const BmpSpec& s) {
  Bytes info;
  if (s.headerSize == 12) {
    Put32(info, 12);
    Put16(info, static_cast<std::uint16_t>(s.width));
    Put16(info, static_cast<std::uint16_t>(s.height));
    Put16(info, 1);
    Put16(info, static_cast<std::uint16_t>(s.bitCount));
  } else {
    Put32(info, static_cast<std::uint32_t>(s.headerSize));
    Put32(info, static_cast<std::uint32_t>(s.width));
    Put32(info, static_cast<std::uint32_t>(s.height));
    Put16(info, 1);
    Put16(info, static_cast<std::uint16_t>(s.bitCount));
    Put32(info, s.compression);
    Put32(info, static_cast<std::uint32_t>(s.pixels.size()));
    Put32(info, static_cast<std::uint32_t>(s.pixelsPerMeter));
    Put32(info, static_cast<std::uint32_t>(s.pixelsPerMeter));
    Put32(info, s.colorsUsed);
    Put32(info, 0);
    while (info.size() < static_cast<std::size_t>(s.headerSize)) info.push_back(0);
  }
  Bytes body = info;
  body.insert(body.end(), s.masks.begin(), s.masks.end());
  body.insert(body.end(), s.palette.begin(), s.palette.end());
  std::uint32_t offset = static_cast<std::uint32_t>(14 + body.size());
  body.insert(body.end(), s.pixels.begin(), s.pixels.end());
  if (!s.fileHeader) return body;
  Bytes out;
  Put16(out, 0x4D42);
  Put32(out, static_cast<std::uint32_t>(14 + body.size()));
  Put32(out, 0);
  Put32(out, offset);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

Bytes IconDib(int width, int height, int bitCount, const Bytes& palette, const Bytes& xorRows, const Bytes& andRows) {
  Bytes out;
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height * 2));
  Put16(out, 1);
  Put16(out, static_cast<std::uint16_t>(bitCount));
  Put32(out, 0);
  Put32(out, static_cast<std::uint32_t>(xorRows.size() + andRows.size()));
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  out.insert(out.end(), palette.begin(), palette.end());
  out.insert(out.end(), xorRows.begin(), xorRows.end());
  out.insert(out.end(), andRows.begin(), andRows.end());
  return out;
}

Bytes MakeIco(const std::vector<IcoEntrySpec>& entries, std::uint16_t type, std::uint16_t reserved) {
  Bytes out;
  Put16(out, reserved);
  Put16(out, type);
  Put16(out, static_cast<std::uint16_t>(entries.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
  for (const IcoEntrySpec& e : entries) {
    out.push_back(e.width);
    out.push_back(e.height);
    out.push_back(0);
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, static_cast<std::uint32_t>(e.data.size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(e.data.size());
  }
  for (const IcoEntrySpec& e : entries) out.insert(out.end(), e.data.begin(), e.data.end());
  return out;
}

}  // namespace quorla_test
