// The browser's main window against its baselines, measured in the same run:
// - one WM_PAINT of the whole frame at 1920 x 1080 (the caption, rows,
//   status bar and borders from the skin, into an off-screen bitmap copied
//   to the window), against filling a bitmap that size and copying it to
//   another;
// - the program's start to its first paint (the process-wide objects, the
//   application's start, the window made, shown and painted), against a
//   minimal program of the layer that shows one window and paints it; each a
//   process of its own, on the offscreen platform.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>
#include <vector>

#include "main_frame.h"
#include "process_objects.h"
#include "win/blit.h"
#include "win/dc.h"
#include "win/dib.h"
#include "win/gdi_objects.h"
#include "win/messages.h"
#include "win/painting.h"
#include "win/window_state.h"

extern char** environ;

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

void Drain() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

HBITMAP Section(void** bits) {
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

void BM_FillAndCopyBitmap1920x1080(benchmark::State& state) {
  void* sourceBits = nullptr;
  void* targetBits = nullptr;
  HBITMAP source = Section(&sourceBits);
  HBITMAP target = Section(&targetBits);
  HDC sourceDc = CreateCompatibleDC(nullptr);
  HDC targetDc = CreateCompatibleDC(nullptr);
  SelectObject(sourceDc, source);
  SelectObject(targetDc, target);
  HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
  const RECT all{0, 0, kWidth, kHeight};
  for (auto _ : state) {
    FillRect(sourceDc, &all, white);
    BitBlt(targetDc, 0, 0, kWidth, kHeight, sourceDc, 0, 0, SRCCOPY);
    benchmark::DoNotOptimize(targetBits);
  }
  DeleteObject(white);
  DeleteDC(sourceDc);
  DeleteDC(targetDc);
  DeleteObject(source);
  DeleteObject(target);
}
BENCHMARK(BM_FillAndCopyBitmap1920x1080)->Unit(benchmark::kMillisecond);

void BM_MainFramePaint1920x1080(benchmark::State& state) {
  BuildBrowserProcessObjects();
  CMainFrame frame;
  frame.ShowWindow(SW_SHOW);
  Drain();
  frame.SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
  frame.MoveWindow(0, 0, kWidth, kHeight);
  Drain();
  for (auto _ : state) {
    frame.InvalidateRect(nullptr, FALSE);
    frame.UpdateWindow();
  }
}
BENCHMARK(BM_MainFramePaint1920x1080)->Unit(benchmark::kMillisecond);

// Runs a probe program to its end; false when it did not end with code 0.
bool RunProbe(const std::string& name) {
  const std::string path = std::string(QUORLA_BENCH_DIR) + "/" + name;
  char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ) != 0) return false;
  int status = 0;
  return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void StartToFirstPaint(benchmark::State& state, const char* probe) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  for (auto _ : state) {
    if (!RunProbe(probe)) {
      state.SkipWithError("the probe failed");
      break;
    }
  }
}

void BM_MinimalProgramStartToFirstPaint(benchmark::State& state) { StartToFirstPaint(state, "minimal_first_paint_probe"); }
BENCHMARK(BM_MinimalProgramStartToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BrowserStartToFirstPaint(benchmark::State& state) { StartToFirstPaint(state, "browser_first_paint_probe"); }
BENCHMARK(BM_BrowserStartToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

// The programs' settings and runtime folders: temporary ones of this run.
std::string UseTemporaryFolders() {
  char pattern[] = "/tmp/quorla-bench-XXXXXX";
  if (!mkdtemp(pattern)) return "";
  setenv("XDG_CONFIG_HOME", pattern, 1);
  setenv("XDG_RUNTIME_DIR", pattern, 1);
  return pattern;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = UseTemporaryFolders();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ignored;
  if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
  return 0;
}
