#pragma once
// Shared by the image decoder targets: decode through the dispatcher, ask
// for the header alone, and draw what decoded into a memory DC, so the
// drawing and resampling code sees every decoded shape too.
#include <cstddef>
#include <cstdint>

#include "imaging/dib_image.h"
#include "win/dc.h"
#include "win/dib.h"

inline void DecodeAndDraw(const std::uint8_t* data, std::size_t size, DWORD type, LONG frameIndex) {
  CDibImage header(0);
  header.SetDecodeEscape(-1);
  header.DecodeMemory(data, static_cast<DWORD>(size), type);

  CDibImage image(0);
  image.SetFrameIndex(frameIndex);
  if (!image.DecodeMemory(data, static_cast<DWORD>(size), type)) return;
  if (static_cast<std::uint64_t>(image.GetWidth()) * image.GetHeight() > (1u << 16)) return;
  static HDC dc = [] {
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 24, -24, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(nullptr);
    SelectObject(memory, CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    return memory;
  }();
  image.Draw(dc, 0, 0, 16, 16, nullptr, false);
  image.Draw(dc, 2, 3, -1, -1, nullptr, false);
  RECT clip{4, 4, 12, 12};
  image.Draw(dc, -3, 1, 20, 9, &clip, true);
}
