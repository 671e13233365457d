#pragma once
// CDibImage: an image held as one packed DIB block (header, palette, pixel
// rows bottom row first), with an optional alpha plane, an optional
// selection plane, a record of information (type, transparency,
// resolution, last error text, decoder settings) and room for frames.
//
// Ownership: the image owns its DIB block, planes and frames (C heap).
// Threads: an image is used by one thread at a time; nothing here locks.
// Failures are a false or null result with a text in GetErrorText(); nothing
// is thrown or logged. Coordinates: x from the left, y from the bottom row.
#include <cstddef>
#include <cstdint>

#include "imaging/dib_geometry.h"
#include "win/dib.h"
#include "win/resources.h"

class CDibFile;

// The most pixel data an image may hold: 256 MiB.
constexpr std::uint32_t DIBIMAGE_MAX_MEMORY = 268435456u;

// Image type ids (imageType) and their format option slots.
constexpr DWORD DIBIMAGE_FORMAT_UNKNOWN = 0;
constexpr DWORD DIBIMAGE_FORMAT_BMP = 1;
constexpr DWORD DIBIMAGE_FORMAT_PNG = 4;
constexpr DWORD DIBIMAGE_FORMAT_ICO = 5;

// Overflow methods: what a sample outside the image yields.
constexpr int DIBIMAGE_OVERFLOW_COLOR = 1;
constexpr int DIBIMAGE_OVERFLOW_BACKGROUND = 2;
constexpr int DIBIMAGE_OVERFLOW_TRANSPARENT = 3;
constexpr int DIBIMAGE_OVERFLOW_WRAP = 4;
constexpr int DIBIMAGE_OVERFLOW_REPEAT = 5;
constexpr int DIBIMAGE_OVERFLOW_MIRROR = 6;

// Interpolation methods of SampleColor (1 nearest, 2 bilinear, 3 B-spline,
// 4 bicubic, 5 generalised bicubic, 6 Lanczos, 7 box, 8 Hermite,
// 9 Hamming, 10 sinc, 11 Blackman, 12 Bessel, 13 Gaussian, 14 quadratic,
// 15 Mitchell, 16 Catmull-Rom, 17 Hanning, 18 power; others bilinear).
constexpr int DIBIMAGE_INTERPOLATE_NEAREST = 1;
constexpr int DIBIMAGE_INTERPOLATE_BILINEAR = 2;

struct DibImageInfo {
  DWORD effWidth;       // bytes per pixel row, padded to 4
  BYTE* pixelStart;     // the bottom row inside the DIB block
  DWORD imageType;
  char lastError[256];  // the last failure's text
  LONG escape;          // -1: decoders return the header only
  LONG transIndex;      // transparent palette index, -1 for none
  RGBQUAD transColor;   // transparent colour of a 24-bit image
  LONG frameIndex;      // the frame (icon entry) to decode
  LONG frameCount;      // frames found by the last decode
  LONG dpiX;
  LONG dpiY;
  RECT selectionBox;    // rows counted upwards: bottom < top
  BYTE alphaMax;        // overall opacity when drawing
  bool alphaPaletteEnabled;
  bool enabled;
  DWORD formatOptions[4];
  RGBQUAD lastNearestColor;
  BYTE lastNearestIndex;
  bool lastNearestValid;
  bool littleEndianHost;
};

class CDibImage {
 public:
  explicit CDibImage(DWORD imageType = 0);
  virtual ~CDibImage();
  CDibImage(const CDibImage&) = delete;
  CDibImage& operator=(const CDibImage&) = delete;

  // Lifecycle.
  bool Destroy();
  bool DestroyFrames();
  void* Create(DWORD width, DWORD height, DWORD bitCount, DWORD imageType);
  bool Transfer(CDibImage& from, bool transferFrames = true);
  void CopyInfoFrom(const CDibImage& from);

  // The bit count Create makes of a requested one (1, 4, 8 or 24), and
  // whether Create accepts the size without exceeding DIBIMAGE_MAX_MEMORY.
  static DWORD RoundBitCount(DWORD bitCount);
  static bool WithinMemoryLimit(DWORD width, DWORD height, DWORD bitCount);
  // Whether the rest of a stream could plausibly fill an image of that
  // size (at most about 1040 bytes of pixels per byte of input, the most
  // deflate expands; any image up to 1 MiB passes). Decoders refuse larger
  // declared sizes before allocating anything.
  static bool FitsInput(DWORD width, DWORD height, DWORD bitCount, CDibFile* file);

  // Decoding (the dispatcher and its two entry points).
  bool Decode(CDibFile* file, DWORD imageType);
  bool DecodeMemory(const BYTE* buffer, DWORD size, DWORD imageType);
  bool LoadResource(HRSRC resource, DWORD imageType, HMODULE module = nullptr);

  // Accessors.
  bool IsValid() const { return m_dib != nullptr; }
  void* GetDib() const { return m_dib; }
  BYTE* GetRow(LONG row = 0) const;
  std::size_t GetDibSize() const;
  DWORD GetWidth() const { return static_cast<DWORD>(m_header.biWidth); }
  DWORD GetHeight() const { return static_cast<DWORD>(m_header.biHeight); }
  WORD GetBitCount() const { return m_header.biBitCount; }
  DWORD GetRowBytes() const { return m_info.effWidth; }
  DWORD GetType() const { return m_info.imageType; }
  const char* GetErrorText() const { return m_info.lastError; }
  const BITMAPINFOHEADER& GetHeader() const { return m_header; }
  const DibImageInfo& GetInfo() const { return m_info; }
  void SetDecodeEscape(LONG escape) { m_info.escape = escape; }
  LONG GetFrameCount() const { return m_info.frameCount; }
  LONG GetFrameIndex() const { return m_info.frameIndex; }
  void SetFrameIndex(LONG index) { m_info.frameIndex = index; }
  bool IsEnabled() const { return m_info.enabled; }
  void Enable(bool enabled = true) { m_info.enabled = enabled; }
  BYTE GetAlphaMax() const { return m_info.alphaMax; }
  void SetAlphaMax(BYTE value) { m_info.alphaMax = value; }
  bool IsAlphaPaletteEnabled() const { return m_info.alphaPaletteEnabled; }
  void SetAlphaPaletteEnabled(bool enabled) { m_info.alphaPaletteEnabled = enabled; }
  LONG GetDpiX() const { return m_info.dpiX; }
  LONG GetDpiY() const { return m_info.dpiY; }
  DWORD GetFormatOption(DWORD imageType) const;
  bool Contains(LONG x, LONG y) const;
  bool SetType(DWORD imageType);
  bool SetFormatOption(DWORD option, DWORD imageType);
  void SetDpiX(LONG dpi);
  void SetDpiY(LONG dpi);

  // Transparency.
  LONG GetTransparentIndex() const { return m_info.transIndex; }
  void SetTransparentIndex(LONG index);
  // Stores the index as it is, for decoders that take it from the file.
  void SetTransparentIndexDirect(LONG index) { m_info.transIndex = index; }
  void SetTransparentColor(RGBQUAD color);
  RGBQUAD GetTransparentColor() const;

  // Byte order of file fields.
  WORD HostWord(WORD value) const;
  DWORD HostDword(DWORD value) const;
  void HostHeader(BITMAPINFOHEADER* header) const;

  // Pixels.
  bool HasPalette() const { return m_header.biClrUsed != 0; }
  BYTE GetPixelIndexSafe(LONG x, LONG y) const;
  BYTE GetPixelIndexRaw(LONG x, LONG y) const;
  void SetPixelIndexSafe(LONG x, LONG y, BYTE index);
  void SetPixelIndexRaw(LONG x, LONG y, BYTE index);
  RGBQUAD GetPixelColorSafe(LONG x, LONG y, bool withAlpha = true) const;
  RGBQUAD GetPixelColorRaw(LONG x, LONG y, bool withAlpha = true) const;
  void SetPixelColorRaw(LONG x, LONG y, RGBQUAD color, bool setAlpha = false);
  BYTE* GetPixelAddress(LONG x, LONG y) const;

  // Palette.
  DWORD GetPaletteBytes() const { return m_header.biClrUsed * 4; }
  RGBQUAD* GetPaletteStart() const;
  RGBQUAD GetPaletteEntry(BYTE index) const;
  void SetPaletteEntry(BYTE index, BYTE red, BYTE green, BYTE blue, BYTE alpha = 0);
  void SetPaletteRgb(const BYTE* triples, DWORD count);
  void CopyPaletteEntries(const RGBQUAD* entries, DWORD count);
  void FillGrayPalette();
  bool IsGrayPalette() const;
  void SetImportantColors(DWORD count);
  BYTE FindNearestIndex(RGBQUAD color);

  // Alpha plane.
  bool HasAlpha() const { return m_alpha != nullptr; }
  bool CreateAlpha();
  void DeleteAlpha();
  void InvertAlpha();
  void SetAlphaAt(LONG x, LONG y, BYTE value);
  BYTE GetAlphaAt(LONG x, LONG y) const;
  BYTE* GetAlphaPointer(LONG x, LONG y) const;
  BYTE GetAlphaAtRaw(LONG x, LONG y) const;
  bool FlipAlpha();

  // Selection plane.
  bool HasSelection() const { return m_selection != nullptr; }
  bool CreateSelection();
  bool DeleteSelection();
  bool IsSelectedRaw(LONG x, LONG y) const;
  void SetSelectedRaw(LONG x, LONG y, bool selected);
  bool FlipSelection();

  // Whole-image operations.
  bool FlipRows(bool flipSelection = true, bool flipAlpha = true);
  bool Invert();
  void BitfieldsToRgb(const BYTE* source, DWORD redMask, DWORD greenMask, DWORD blueMask, BYTE bitCount);
  void ExpandTwoToFourBits(BYTE* row, DWORD pixels);

  // Drawing and resampling.
  LONG Draw(HDC dc, LONG x, LONG y, LONG cx = -1, LONG cy = -1, const RECT* clip = nullptr, bool smooth = false);
  RGBQUAD SampleColor(float x, float y, int method = DIBIMAGE_INTERPOLATE_BILINEAR,
                      int overflow = DIBIMAGE_OVERFLOW_REPEAT, const RGBQUAD* replacement = nullptr) const;
  RGBQUAD SampleAreaColor(float x, float y, float width, float height, int method = DIBIMAGE_INTERPOLATE_BILINEAR,
                          int overflow = DIBIMAGE_OVERFLOW_REPEAT, const RGBQUAD* replacement = nullptr) const;
  RGBQUAD ColorWithOverflow(LONG x, LONG y, int overflow, const RGBQUAD* replacement = nullptr) const;
  void WrapCoordinates(LONG& x, LONG& y, int overflow) const;
  void WrapCoordinates(float& x, float& y, int overflow) const;
  static void AccumulateWeighted(RGBQUAD color, float weight, float& red, float& green, float& blue, float& alpha);

 protected:
  void SetError(const char* text);
  std::size_t AlphaOffset(LONG x, LONG y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_header.biWidth) + static_cast<std::size_t>(x);
  }
  BYTE* RowRaw(LONG y) const {
    return m_info.pixelStart + static_cast<std::size_t>(y) * static_cast<std::size_t>(m_info.effWidth);
  }
  void InvalidateNearest() { m_info.lastNearestValid = false; }
  void ResetInfo(DWORD imageType);

  BYTE* m_dib;
  BITMAPINFOHEADER m_header;
  DibImageInfo m_info;
  BYTE* m_selection;
  BYTE* m_alpha;
  CDibImage** m_frames;
  LONG m_frameSlots = 0;  // length of the frame array, whatever frameCount says
};

// Walks the pixel rows of an image.
class CDibRowIterator {
 public:
  explicit CDibRowIterator(CDibImage* image);
  // Moves to row y (0 .. height, height included) and returns its address;
  // the row stays unchanged for a y outside that range.
  BYTE* SetY(LONG y);
  BYTE* GetRow() const { return m_row; }
  LONG GetY() const { return m_y; }
  // Moves one row down (towards the bottom row) and returns it.
  BYTE* PrevRow();

 private:
  CDibImage* m_image;
  LONG m_x = 0;
  LONG m_y = 0;
  LONG m_stepX = 0;
  LONG m_stepY = 0;
  BYTE* m_row = nullptr;
};
