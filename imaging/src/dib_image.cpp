// CDibImage: lifecycle, creation, transfer and the small accessors.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "imaging/dib_file.h"
#include "imaging/dib_image.h"

namespace {

bool HostIsLittleEndian() {
  const std::uint16_t probe = 1;
  std::uint8_t first;
  std::memcpy(&first, &probe, 1);
  return first == 1;
}

// Option slot of an image type: 1 BMP, 2 PNG, 3 ICO, 0 anything else.
int FormatSlot(DWORD imageType) {
  switch (imageType) {
    case DIBIMAGE_FORMAT_BMP:
      return 1;
    case DIBIMAGE_FORMAT_PNG:
      return 2;
    case DIBIMAGE_FORMAT_ICO:
      return 3;
    default:
      return 0;
  }
}

// A resolution too large for the header's field is stored as the largest
// one it holds, instead of overflowing the conversion.
LONG PixelsPerMeter(LONG dpi) {
  double ppm = std::floor(dpi * 10000.0 / 254.0 + 0.5);
  return ppm >= 2147483647.0 ? 2147483647 : static_cast<LONG>(ppm);
}

}  // namespace

CDibImage::CDibImage(DWORD imageType) : m_dib(nullptr), m_selection(nullptr), m_alpha(nullptr), m_frames(nullptr) {
  std::memset(&m_header, 0, sizeof(m_header));
  ResetInfo(imageType);
}

void CDibImage::ResetInfo(DWORD imageType) {
  std::memset(&m_info, 0, sizeof(m_info));
  m_info.imageType = imageType;
  m_info.alphaMax = 255;
  m_info.transIndex = -1;
  m_info.enabled = true;
  SetDpiX(96);
  SetDpiY(96);
  m_info.littleEndianHost = HostIsLittleEndian();
}

CDibImage::~CDibImage() {
  DestroyFrames();
  Destroy();
}

bool CDibImage::Destroy() {
  std::free(m_selection);
  m_selection = nullptr;
  std::free(m_alpha);
  m_alpha = nullptr;
  std::free(m_dib);
  m_dib = nullptr;
  return true;
}

bool CDibImage::DestroyFrames() {
  if (m_frames) {
    LONG count = m_info.frameCount < m_frameSlots ? m_info.frameCount : m_frameSlots;
    for (LONG i = 0; i < count; ++i) delete m_frames[i];
    delete[] m_frames;
    m_frames = nullptr;
    m_frameSlots = 0;
    m_info.frameCount = 0;
  }
  return true;
}

void CDibImage::SetError(const char* text) {
  if (!text || !*text) return;
  std::strncpy(m_info.lastError, text, sizeof(m_info.lastError) - 1);
  m_info.lastError[sizeof(m_info.lastError) - 1] = 0;
}

DWORD CDibImage::RoundBitCount(DWORD bitCount) {
  if (bitCount <= 1) return 1;
  if (bitCount <= 4) return 4;
  if (bitCount <= 8) return 8;
  return 24;
}

bool CDibImage::WithinMemoryLimit(DWORD width, DWORD height, DWORD bitCount) {
  bitCount = RoundBitCount(bitCount);
  // Sizes are computed in 64 bits, so that no product wraps past the limit
  // (65536 x 65536 must not become 0). The padded rows must fit the limit
  // too, and the header's signed fields must hold width and height.
  std::uint64_t pixels = static_cast<std::uint64_t>(width) * height;
  std::uint64_t effWidth = (static_cast<std::uint64_t>(bitCount) * width + 31) / 32 * 4;
  return pixels <= (std::uint64_t{1} << 32) && pixels * bitCount / 8 <= DIBIMAGE_MAX_MEMORY &&
         effWidth * height <= DIBIMAGE_MAX_MEMORY && width <= 0x7FFFFFFFu && height <= 0x7FFFFFFFu;
}

bool CDibImage::FitsInput(DWORD width, DWORD height, DWORD bitCount, CDibFile* file) {
  if (!file) return false;
  LONG size = file->Size(), position = file->Tell();
  if (size < 0 || position < 0) return true;
  std::uint64_t left = size > position ? static_cast<std::uint64_t>(size - position) : 0;
  std::uint64_t rows = (static_cast<std::uint64_t>(RoundBitCount(bitCount)) * width + 31) / 32 * 4 * height;
  return rows <= std::max<std::uint64_t>(std::uint64_t{1} << 20, left * 1040);
}

void* CDibImage::Create(DWORD width, DWORD height, DWORD bitCount, DWORD imageType) {
  Destroy();
  if (width == 0 || height == 0) {
    SetError("CDibImage::Create : width and height must be greater than zero");
    return nullptr;
  }
  bitCount = RoundBitCount(bitCount);
  if (!WithinMemoryLimit(width, height, bitCount)) {
    SetError("DIBIMAGE_MAX_MEMORY exceeded");
    return nullptr;
  }
  std::uint64_t effWidth = (static_cast<std::uint64_t>(bitCount) * width + 31) / 32 * 4;
  m_header.biClrUsed = bitCount == 1 ? 2 : bitCount == 4 ? 16 : bitCount == 8 ? 256 : 0;
  m_info.effWidth = static_cast<DWORD>(effWidth);
  m_info.imageType = imageType;
  m_header.biSize = sizeof(BITMAPINFOHEADER);
  m_header.biWidth = static_cast<LONG>(width);
  m_header.biHeight = static_cast<LONG>(height);
  m_header.biPlanes = 1;
  m_header.biBitCount = static_cast<WORD>(bitCount);
  m_header.biCompression = BI_RGB;
  m_header.biSizeImage = static_cast<DWORD>(effWidth * height);
  m_dib = static_cast<BYTE*>(std::malloc(GetDibSize()));
  if (!m_dib) {
    SetError("CDibImage::Create can't allocate memory");
    return nullptr;
  }
  if (GetPaletteBytes()) std::memset(m_dib + sizeof(BITMAPINFOHEADER), 0, GetPaletteBytes());
  if (m_selection) DeleteSelection();
  DeleteAlpha();
  std::memcpy(m_dib, &m_header, sizeof(m_header));
  m_info.pixelStart = m_dib + sizeof(BITMAPINFOHEADER) + GetPaletteBytes();
  return m_dib;
}

std::size_t CDibImage::GetDibSize() const {
  return static_cast<std::size_t>(m_header.biSize) + m_header.biSizeImage + GetPaletteBytes();
}

bool CDibImage::Transfer(CDibImage& from, bool transferFrames) {
  if (&from == this) return true;
  Destroy();
  m_header = from.m_header;
  m_info = from.m_info;
  m_dib = from.m_dib;
  m_selection = from.m_selection;
  m_alpha = from.m_alpha;
  std::memset(&from.m_header, 0, sizeof(from.m_header));
  std::memset(&from.m_info, 0, sizeof(from.m_info));
  from.m_dib = nullptr;
  from.m_selection = nullptr;
  from.m_alpha = nullptr;
  if (transferFrames) {
    LONG count = m_info.frameCount;
    DestroyFrames();
    m_info.frameCount = count;
    m_frames = from.m_frames;
    m_frameSlots = from.m_frameSlots;
    from.m_frames = nullptr;
    from.m_frameSlots = 0;
  }
  return true;
}

void CDibImage::CopyInfoFrom(const CDibImage& from) {
  if (m_dib) return;
  m_info = from.m_info;
}

BYTE* CDibImage::GetRow(LONG row) const {
  if (!m_dib || row < 0 || row >= m_header.biHeight) return nullptr;
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(m_dib);
  return m_dib + header->biSize + static_cast<std::size_t>(header->biClrUsed) * 4 +
         static_cast<std::size_t>(row) * m_info.effWidth;
}

bool CDibImage::Contains(LONG x, LONG y) const {
  return x >= 0 && x < m_header.biWidth && y >= 0 && y < m_header.biHeight;
}

bool CDibImage::SetType(DWORD imageType) {
  if (FormatSlot(imageType) == 0) {
    m_info.imageType = 0;
    return false;
  }
  m_info.imageType = imageType;
  return true;
}

bool CDibImage::SetFormatOption(DWORD option, DWORD imageType) {
  int slot = FormatSlot(imageType);
  if (slot == 0) slot = FormatSlot(m_info.imageType);
  m_info.formatOptions[slot] = option;
  return true;
}

DWORD CDibImage::GetFormatOption(DWORD imageType) const {
  int slot = FormatSlot(imageType);
  if (slot == 0) slot = FormatSlot(m_info.imageType);
  return m_info.formatOptions[slot];
}

void CDibImage::SetDpiX(LONG dpi) {
  if (dpi <= 0) dpi = 96;
  m_info.dpiX = dpi;
  m_header.biXPelsPerMeter = PixelsPerMeter(dpi);
  if (m_dib) reinterpret_cast<BITMAPINFOHEADER*>(m_dib)->biXPelsPerMeter = m_header.biXPelsPerMeter;
}

void CDibImage::SetDpiY(LONG dpi) {
  if (dpi <= 0) dpi = 96;
  m_info.dpiY = dpi;
  m_header.biYPelsPerMeter = PixelsPerMeter(dpi);
  if (m_dib) reinterpret_cast<BITMAPINFOHEADER*>(m_dib)->biYPelsPerMeter = m_header.biYPelsPerMeter;
}

void CDibImage::SetTransparentIndex(LONG index) {
  m_info.transIndex = index < static_cast<LONG>(m_header.biClrUsed) ? index : 0;
}

void CDibImage::SetTransparentColor(RGBQUAD color) {
  color.rgbReserved = 0;
  m_info.transColor = color;
}

RGBQUAD CDibImage::GetTransparentColor() const {
  if (m_header.biBitCount < 24 && m_info.transIndex >= 0) {
    return GetPaletteEntry(static_cast<BYTE>(m_info.transIndex));
  }
  return m_info.transColor;
}

WORD CDibImage::HostWord(WORD value) const {
  return m_info.littleEndianHost ? value : static_cast<WORD>((value >> 8) | (value << 8));
}

DWORD CDibImage::HostDword(DWORD value) const {
  if (m_info.littleEndianHost) return value;
  return (value >> 24) | ((value >> 8) & 0xFF00u) | ((value << 8) & 0xFF0000u) | (value << 24);
}

void CDibImage::HostHeader(BITMAPINFOHEADER* h) const {
  if (!h) return;
  h->biSize = HostDword(h->biSize);
  h->biWidth = static_cast<LONG>(HostDword(static_cast<DWORD>(h->biWidth)));
  h->biHeight = static_cast<LONG>(HostDword(static_cast<DWORD>(h->biHeight)));
  h->biPlanes = HostWord(h->biPlanes);
  h->biBitCount = HostWord(h->biBitCount);
  h->biCompression = HostDword(h->biCompression);
  h->biSizeImage = HostDword(h->biSizeImage);
  h->biXPelsPerMeter = static_cast<LONG>(HostDword(static_cast<DWORD>(h->biXPelsPerMeter)));
  h->biYPelsPerMeter = static_cast<LONG>(HostDword(static_cast<DWORD>(h->biYPelsPerMeter)));
  h->biClrUsed = HostDword(h->biClrUsed);
  h->biClrImportant = HostDword(h->biClrImportant);
}
