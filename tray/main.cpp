// VXTray: the tray notifier. Everything is in the vx_tray library; this
// file holds the entry and what must be ready before it runs.
#include "skin_bitmaps.h"
#include "sfwnd/drawing_objects.h"
#include "tray_program.h"
#include "win/command_line.h"
#include "win/modules.h"
#include "win/window_styles.h"

namespace {

// Before the entry runs: the pop-up's skins are decoded and the toolkit's
// drawing surfaces made, so the first notice paints at once.
[[maybe_unused]] const bool g_drawingReady = [] {
  LoadSkinBitmaps();
  GetSkinBitmapDC();
  GetCanvasDC();
  return true;
}();

}  // namespace

int main() { return wWinMain(GetModuleHandleW(nullptr), nullptr, GetCommandLineW(), SW_SHOWDEFAULT); }
