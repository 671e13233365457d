// The user-interface thread's loop and window drawing against their
// baselines, measured in the same run:
// - 100,000 messages posted by a worker through the loop of the thread that
//   runs Qt (a shown window makes it so), against the same through a
//   worker's plain queue;
// - GetDC, a 397 x 317 BitBlt from a memory DC, ReleaseDC and the screen
//   update that copies the image to the widget, against a QImage copy of
//   that size.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <thread>

#include "win/blit.h"
#include "win/dc.h"
#include "win/dib.h"
#include "win/messages.h"
#include "win/painting.h"
#include "win/threads.h"
#include "win/window_classes.h"
#include "win/window_objects.h"
#include "win/window_state.h"

namespace {

constexpr int kMessages = 100000;
constexpr UINT WM_BENCH = WM_USER + 1;
constexpr int kWidth = 397, kHeight = 317;

int g_received = 0;

LRESULT CALLBACK CountingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_BENCH) {
    ++g_received;
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterBenchClass() {
  static bool done = false;
  if (done) return;
  done = true;
  WNDCLASSW wc{};
  wc.lpfnWndProc = CountingProc;
  wc.lpszClassName = u"QuorlaBench";
  RegisterClassW(&wc);
}

// Runs the loop of the calling thread until the worker's last message came.
void Consume(HWND target) {
  g_received = 0;
  std::thread producer([target] {
    for (int i = 0; i < kMessages; ++i) PostMessageW(target, WM_BENCH, static_cast<WPARAM>(i), 0);
  });
  MSG msg;
  while (g_received < kMessages && GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  producer.join();
}

void BM_MessagesThroughWorkerQueue(benchmark::State& state) {
  RegisterBenchClass();
  for (auto _ : state) {
    std::thread worker([] {
      HWND hwnd = CreateWindowExW(0, u"QuorlaBench", u"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
      Consume(hwnd);
      DestroyWindow(hwnd);
    });
    worker.join();
  }
  state.SetItemsProcessed(state.iterations() * kMessages);
}
BENCHMARK(BM_MessagesThroughWorkerQueue)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MessagesThroughUiLoop(benchmark::State& state) {
  RegisterBenchClass();
  // A shown window: this thread now runs Qt and its loop waits in Qt.
  HWND hwnd = CreateWindowExW(0, u"QuorlaBench", u"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                              nullptr);
  for (auto _ : state) Consume(hwnd);
  state.SetItemsProcessed(state.iterations() * kMessages);
  DestroyWindow(hwnd);
}
BENCHMARK(BM_MessagesThroughUiLoop)->Unit(benchmark::kMillisecond)->UseRealTime();

HBITMAP Section(void** bits) {
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

void BM_QImageCopy397x317(benchmark::State& state) {
  QImage source(kWidth, kHeight, QImage::Format_RGB32);
  source.fill(Qt::red);
  for (auto _ : state) {
    QImage copy = source.copy();
    benchmark::DoNotOptimize(copy.bits());
  }
}
BENCHMARK(BM_QImageCopy397x317);

void BM_WindowBlit397x317AndScreenUpdate(benchmark::State& state) {
  RegisterBenchClass();
  HWND hwnd = CreateWindowExW(0, u"QuorlaBench", u"", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, nullptr,
                              nullptr, nullptr);
  ValidateRect(hwnd, nullptr);
  void* bits = nullptr;
  HBITMAP bitmap = Section(&bits);
  std::fill_n(static_cast<DWORD*>(bits), kWidth * kHeight, 0x00FF0000u);
  HDC memory = CreateCompatibleDC(nullptr);
  SelectObject(memory, bitmap);
  MSG msg;
  for (auto _ : state) {
    HDC dc = GetDC(hwnd);
    BitBlt(dc, 0, 0, kWidth, kHeight, memory, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, dc);
    // The loop's turn lets Qt copy the image to the screen.
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  DeleteDC(memory);
  DeleteObject(bitmap);
  DestroyWindow(hwnd);
}
BENCHMARK(BM_WindowBlit397x317AndScreenUpdate);

void BM_WindowBlitOnly(benchmark::State& state) {
  RegisterBenchClass();
  HWND hwnd = CreateWindowExW(0, u"QuorlaBench", u"", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, nullptr,
                              nullptr, nullptr);
  ValidateRect(hwnd, nullptr);
  void* bits = nullptr;
  HBITMAP bitmap = Section(&bits);
  HDC memory = CreateCompatibleDC(nullptr);
  SelectObject(memory, bitmap);
  for (auto _ : state) {
    HDC dc = GetDC(hwnd);
    BitBlt(dc, 0, 0, kWidth, kHeight, memory, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, dc);
  }
  DeleteDC(memory);
  DeleteObject(bitmap);
  DestroyWindow(hwnd);
}
BENCHMARK(BM_WindowBlitOnly);

}  // namespace

BENCHMARK_MAIN();
