// ILibPng::LoadFromMemory of a 256 x 256 RGBA PNG, against libpng's
// simplified API decoding the same bytes (the baseline).
#include <benchmark/benchmark.h>
#include <png.h>

#include <vector>

#include "lib_png.h"
#include "png_writer.h"
#include "win/gdi_objects.h"

namespace {

const std::vector<std::uint8_t>& Image() {
  static const std::vector<std::uint8_t> bytes = [] {
    quorla_test::PngImage image = quorla_test::PatternImage(256, 256, 6, 8);
    // Smoother content than the test pattern, closer to a real skin image.
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x) {
        std::uint8_t* p = &image.rows[(y * 256 + x) * 4];
        p[0] = static_cast<std::uint8_t>(x);
        p[1] = static_cast<std::uint8_t>(y);
        p[2] = static_cast<std::uint8_t>((x + y) / 2);
        p[3] = static_cast<std::uint8_t>(x ^ y);
      }
    return quorla_test::WritePng(image);
  }();
  return bytes;
}

void BM_LibpngSimplifiedApi(benchmark::State& state) {
  const auto& bytes = Image();
  std::vector<std::uint8_t> out(256 * 256 * 4);
  for (auto _ : state) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    png_image_begin_read_from_memory(&image, bytes.data(), bytes.size());
    image.format = PNG_FORMAT_BGRA;
    png_image_finish_read(&image, nullptr, out.data(), 0, nullptr);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_LibpngSimplifiedApi);

void BM_LibPngLoadFromMemory(benchmark::State& state) {
  const auto& bytes = Image();
  ILibPng* png = nullptr;
  S_COM::CSAggregateObject<CLibPng>::CreateInstance(nullptr, IID_ILibPng, reinterpret_cast<void**>(&png));
  for (auto _ : state) {
    HBITMAP bitmap = png->LoadFromMemory(bytes.data(), static_cast<UINT>(bytes.size()));
    benchmark::DoNotOptimize(bitmap);
    DeleteObject(bitmap);
  }
  png->Release();
}
BENCHMARK(BM_LibPngLoadFromMemory);

}  // namespace

BENCHMARK_MAIN();
