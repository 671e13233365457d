// CDibImage::Draw of a 16 x 16 icon with an alpha plane into a memory DC,
// against one AlphaBlend of a premultiplied 16 x 16 section (the baseline).
#include <benchmark/benchmark.h>

#include "imaging/dib_image.h"
#include "win/blit.h"
#include "win/dc.h"

namespace {

HBITMAP Section(int size, int bitCount, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), size, -size, 1, WORD(bitCount), BI_RGB, 0, 0, 0, 0, 0};
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

struct Destination {
  Destination() {
    void* bits = nullptr;
    bitmap = Section(64, 32, &bits);
    dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, bitmap);
  }
  ~Destination() {
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  HBITMAP bitmap;
  HDC dc;
};

void BM_AlphaBlendPremultiplied16(benchmark::State& state) {
  Destination to;
  void* bits = nullptr;
  HBITMAP icon = Section(16, 32, &bits);
  auto* p = static_cast<BYTE*>(bits);
  for (int i = 0; i < 16 * 16; ++i) {
    BYTE a = static_cast<BYTE>(i);
    p[4 * i] = p[4 * i + 1] = p[4 * i + 2] = static_cast<BYTE>(200 * a / 255);
    p[4 * i + 3] = a;
  }
  HDC from = CreateCompatibleDC(nullptr);
  SelectObject(from, icon);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  for (auto _ : state) benchmark::DoNotOptimize(AlphaBlend(to.dc, 8, 8, 16, 16, from, 0, 0, 16, 16, blend));
  DeleteDC(from);
  DeleteObject(icon);
}
BENCHMARK(BM_AlphaBlendPremultiplied16);

void BM_DibImageDrawIcon16(benchmark::State& state) {
  Destination to;
  CDibImage icon(5);
  icon.Create(16, 16, 24, 5);
  icon.CreateAlpha();
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      icon.SetPixelColorRaw(x, y, RGBQUAD{200, 200, 200, 0});
      icon.SetAlphaAt(x, y, static_cast<BYTE>(y * 16 + x));
    }
  for (auto _ : state) benchmark::DoNotOptimize(icon.Draw(to.dc, 8, 8, 16, 16));
}
BENCHMARK(BM_DibImageDrawIcon16);

}  // namespace

BENCHMARK_MAIN();
