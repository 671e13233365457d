#pragma once
// The decoders behind CDibImage::Decode. Each is an image that fills itself
// from a stream; the dispatcher runs one on a temporary object carrying the
// caller's information record, then moves the result into the caller.
#include "imaging/dib_image.h"

class CDibFile;

class CDibImagePNG : public CDibImage {
 public:
  CDibImagePNG() : CDibImage(DIBIMAGE_FORMAT_PNG) {}
  bool Decode(CDibFile* file);
};

class CDibImageICO : public CDibImage {
 public:
  CDibImageICO() : CDibImage(DIBIMAGE_FORMAT_ICO) {}
  bool Decode(CDibFile* file);

 private:
  bool DecodeDibEntry(CDibFile* file, LONG entryWidth, LONG entryHeight);
  void ApplyMask(const BYTE* mask, std::size_t maskRowBytes, WORD headerBitCount);
};

class CDibImageBMP : public CDibImage {
 public:
  CDibImageBMP() : CDibImage(DIBIMAGE_FORMAT_BMP) {}
  bool Decode(CDibFile* file);
  // Reads the info header in any of its sizes and normalises it to the
  // 40-byte form; false for a null argument, a short read or an unknown size.
  bool ReadBitmapInfo(CDibFile* file, BITMAPINFOHEADER* header);

 private:
  bool Stop(const char* text);
  void DecodeRle8(CDibFile* file);
  void DecodeRle4(CDibFile* file);
};
