// The browser's own pictures on a real display, for people to look at and
// for the end-to-end tests to check, loaded and drawn by the program's own
// code.
//
//   browser_art_probe --toolbar <log>
//     A white pop-up at (40, 40), 560 x 120, holding a toolbar at (20, 30),
//     250 x 26, on the favourites row (356) with the caption logo (361) as
//     every button's icon and the test skin (9201), seven shop buttons and
//     its overflow switch on. It logs "bar <width>", then "button <id>
//     <left> <right>" for each button (0 0 when hidden). A click on the
//     overflow button logs "overflow <first> <last> <left> <top> <right>
//     <bottom>" from the record it posts, and opens a menu of the hidden
//     buttons under it; a choice logs "command <id>".
//   browser_art_probe --images <images.txt> <log>
//     A pop-up over the whole screen with every image the list names at 1:1
//     and at 4x on a light checker, each with a grey outline one pixel
//     outside it and magenta ticks above and below at every frame's first
//     column and at the last column. It logs "image <id> <width> <height>
//     <frames> <opaque> <x1> <y1> <x4> <y4>" for each (where the 1:1 and
//     the 4x copies start on the screen), then "sheet <width> <height>".
//     Images wider or higher than kLargest (the dialogs' and the pop-up's
//     skins) are drawn at 1:1 only, with -1 for <x4> and <y4>.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "afx/afxwin.h"
#include "my_image.h"
#include "my_tool_bar.h"
#include "ui_fonts.h"
#include "ui_messages.h"
#include "win/blit.h"
#include "win/dc.h"
#include "win/icons.h"
#include "win/menus.h"
#include "win/system_metrics.h"
#include "win/text_draw.h"

namespace {

constexpr UINT kTestSkinPng = 9201;  // nine 4 x 24 frames, one colour each
constexpr UINT kFavouritesRowPng = 356;
constexpr UINT kCaptionLogoPng = 361;

std::string g_log;

void Note(const std::string& line) {
  if (std::FILE* f = std::fopen(g_log.c_str(), "a")) {
    std::fprintf(f, "%s\n", line.c_str());
    std::fclose(f);
  }
}

std::u16string Utf16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

int RunLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (AfxPreTranslateMessage(&msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

LPCWSTR HostClass() {
  return AfxRegisterWndClass(0, LoadCursorW(nullptr, IDC_ARROW), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

// --toolbar

class CToolBarHost : public CWnd {
 public:
  BOOL Make() {
    if (!CreateEx(0, HostClass(), u"toolbar", WS_POPUP | WS_CLIPCHILDREN, CRect(40, 40, 600, 160), nullptr, 0))
      return FALSE;
    if (!bar_.Create(this)) return FALSE;
    if (!LoadPngImage(kCaptionLogoPng, &bar_.IconImage(), 1, 1) || !LoadPngImage(kTestSkinPng, &bar_.SkinImage(), 1, 9) ||
        !LoadPngImage(kFavouritesRowPng, &bar_.BackgroundImage(), 1, 1))
      return FALSE;
    const char16_t* const shops[] = {u"淘宝", u"京东", u"天猫", u"拼多多", u"苏宁易购", u"唯品会", u"当当"};
    int id = 2001;
    for (const char16_t* shop : shops) bar_.AddButton(shop, 0, id++, 0);
    bar_.SetOverflow(TRUE);
    bar_.MoveWindow(20, 30, 250, bar_.BackgroundImage().m_nFrameHeight);
    ShowWindow(SW_SHOW);
    UpdateWindow();
    CRect client;
    bar_.GetClientRect(&client);
    Note("bar " + std::to_string(client.Width()));
    for (int i = 0; i < bar_.GetButtonCount(); ++i) {
      const auto* button = bar_.GetButton(i);
      Note("button " + std::to_string(button->id) + " " + std::to_string(button->rect.left) + " " +
           std::to_string(button->rect.right));
    }
    return TRUE;
  }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_TOOLBAR_OVERFLOW) {
      ShowHidden(*reinterpret_cast<CMyToolBar*>(wParam), *reinterpret_cast<const ToolBarOverflow*>(lParam));
      return 0;
    }
    if (message == WM_COMMAND) Note("command " + std::to_string(LOWORD(wParam)));
    if (message == WM_DESTROY) PostQuitMessage(0);
    return CWnd::WindowProc(message, wParam, lParam);
  }

 private:
  // What the bar's owner does with the record: a menu of the hidden
  // buttons, under the overflow button.
  void ShowHidden(CMyToolBar& bar, const ToolBarOverflow& record) {
    const RECT& r = record.buttonRect;
    Note("overflow " + std::to_string(record.firstHiddenId) + " " + std::to_string(record.lastHiddenId) + " " +
         std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
         std::to_string(r.bottom));
    HMENU menu = CreatePopupMenu();
    bool inRange = false;
    for (int i = 0; i < bar.GetButtonCount(); ++i) {
      const auto* button = bar.GetButton(i);
      inRange = inRange || button->id == record.firstHiddenId;
      if (inRange) AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(button->id), button->text);
      if (button->id == record.lastHiddenId) break;
    }
    POINT corner{r.left, r.bottom};
    ::ClientToScreen(bar.m_hWnd, &corner);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, corner.x, corner.y, 0, m_hWnd, nullptr);
    DestroyMenu(menu);
  }

  CMyToolBar bar_;
};

int ShowToolBar() {
  InitUiFonts();
  CToolBarHost host;
  if (!host.Make()) return 4;
  return RunLoop();
}

// --images

struct Listed {
  int id = 0;
  std::string type;  // PNG, BITMAP or ICON
  std::string file;
  int width = 0, height = 0, frames = 1;
};

std::vector<Listed> ReadList(const std::string& path) {
  std::vector<Listed> list;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    Listed item;
    int bits = 0;
    if (fields >> item.id >> item.type >> item.file >> item.width >> item.height >> item.frames >> bits)
      list.push_back(item);
  }
  return list;
}

constexpr int kScale = 4;
constexpr int kLabelHeight = 18;
constexpr int kMargin = 10;  // room for the outline and the ticks
constexpr int kLargest = 128;  // larger images have no 4x copy

bool Enlarged(int width, int height) { return width <= kLargest && height <= kLargest; }

// One image of the list, loaded as the program loads it and drawn onto a
// checker of its own size.
class SheetImage {
 public:
  explicit SheetImage(const Listed& item) : item_(item) {}
  ~SheetImage() {
    if (bitmap_) DeleteObject(bitmap_);
    if (icon_) DestroyIcon(icon_);
  }

  bool Load() {
    if (item_.type == "PNG") return LoadPngImage(item_.id, &png_, 1, item_.frames) == TRUE;
    if (item_.type == "BITMAP") return (bitmap_ = LoadBitmapW(nullptr, MAKEINTRESOURCEW(item_.id))) != nullptr;
    if (item_.type == "ICON")
      return (icon_ = static_cast<HICON>(LoadImageW(nullptr, MAKEINTRESOURCEW(item_.id), IMAGE_ICON, item_.width,
                                                    item_.height, 0))) != nullptr;
    return false;
  }
  // Whether nothing of it lets the checker through.
  bool Opaque() const {
    if (bitmap_) return true;
    if (icon_ || png_.IsNull()) return false;
    if (png_.GetBPP() != 32) return true;
    for (int y = 0; y < png_.GetHeight(); ++y) {
      const auto* row = static_cast<const std::uint8_t*>(png_.GetBits()) + static_cast<std::ptrdiff_t>(y) * png_.GetPitch();
      for (int x = 0; x < png_.GetWidth(); ++x)
        if (row[4 * x + 3] != 255) return false;
    }
    return true;
  }
  // Draws it at (x, y) of dc, 1:1 over the checker.
  void Draw(HDC dc, int x, int y) const {
    const int w = item_.width, h = item_.height;
    for (int cy = 0; cy < h; cy += 4)
      for (int cx = 0; cx < w; cx += 4) {
        RECT cell{x + cx, y + cy, x + std::min(cx + 4, w), y + std::min(cy + 4, h)};
        HBRUSH brush = CreateSolidBrush(((cx + cy) / 4) % 2 ? RGB(204, 204, 204) : RGB(255, 255, 255));
        FillRect(dc, &cell, brush);
        DeleteObject(brush);
      }
    if (!png_.IsNull()) png_.Draw(dc, x, y, w, h, 0, 0, w, h);
    if (icon_) DrawIconEx(dc, x, y, icon_, w, h, 0, nullptr, DI_NORMAL);
    if (bitmap_) {
      HDC source = CreateCompatibleDC(dc);
      HGDIOBJ before = SelectObject(source, bitmap_);
      BitBlt(dc, x, y, w, h, source, 0, 0, SRCCOPY);
      SelectObject(source, before);
      DeleteDC(source);
    }
  }
  const Listed& item() const { return item_; }

 private:
  Listed item_;
  CMyImage png_;
  HBITMAP bitmap_ = nullptr;
  HICON icon_ = nullptr;
};

// Where an image's block lies on the sheet.
struct Placed {
  std::unique_ptr<SheetImage> image;
  int x = 0, y = 0;  // the block's top-left
  int x1 = 0, y1 = 0, x4 = 0, y4 = 0;
};

void Outline(HDC dc, int x, int y, int w, int h, int scale, int frames) {
  HBRUSH grey = CreateSolidBrush(RGB(128, 128, 128));
  const int right = x + w * scale, bottom = y + h * scale;
  const RECT sides[] = {{x - 1, y - 1, right + 1, y},
                        {x - 1, bottom, right + 1, bottom + 1},
                        {x - 1, y, x, bottom},
                        {right, y, right + 1, bottom}};
  for (const RECT& side : sides) FillRect(dc, &side, grey);
  DeleteObject(grey);
  HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
  const int frameWidth = w / frames * scale;
  std::vector<int> columns;
  for (int k = 0; k < frames; ++k) columns.push_back(x + k * frameWidth);
  columns.push_back(x + w * scale - 1);
  for (int column : columns) {
    RECT above{column, y - 2 - 2 * scale, column + 1, y - 2};
    RECT below{column, y + h * scale + 2, column + 1, y + h * scale + 2 + 2 * scale};
    FillRect(dc, &above, magenta);
    FillRect(dc, &below, magenta);
  }
  DeleteObject(magenta);
}

class CImageSheet : public CWnd {
 public:
  BOOL Make(const std::vector<Listed>& list) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    int x = kMargin, y = kMargin, columnWidth = 0, sheetWidth = 0, sheetHeight = 0;
    for (const Listed& item : list) {
      Placed placed;
      placed.image = std::make_unique<SheetImage>(item);
      if (!placed.image->Load()) {
        Note("unloaded " + std::to_string(item.id) + " " + std::to_string(item.width));
        continue;
      }
      const int scale = Enlarged(item.width, item.height) ? kScale : 0;
      const int blockWidth = std::max(120, item.width + 3 * kMargin + scale * item.width);
      const int blockHeight = kLabelHeight + 2 * kMargin + std::max(1, scale) * item.height;
      if (y + blockHeight > screenHeight && y > kMargin) {
        x += columnWidth + kMargin;
        y = kMargin;
        columnWidth = 0;
      }
      placed.x = x;
      placed.y = y;
      placed.x1 = x + kMargin;
      placed.y1 = y + kLabelHeight + kMargin;
      placed.x4 = scale ? placed.x1 + item.width + 2 * kMargin : -1;
      placed.y4 = scale ? placed.y1 : -1;
      columnWidth = std::max(columnWidth, blockWidth);
      sheetWidth = std::max(sheetWidth, x + blockWidth);
      sheetHeight = std::max(sheetHeight, y + blockHeight);
      y += blockHeight + kMargin;
      Note("image " + std::to_string(item.id) + " " + std::to_string(item.width) + " " + std::to_string(item.height) +
           " " + std::to_string(item.frames) + " " + (placed.image->Opaque() ? "1" : "0") + " " +
           std::to_string(placed.x1) + " " + std::to_string(placed.y1) + " " + std::to_string(placed.x4) + " " +
           std::to_string(placed.y4));
      placed_.push_back(std::move(placed));
    }
    Note("sheet " + std::to_string(sheetWidth) + " " + std::to_string(sheetHeight));
    if (!CreateEx(0, HostClass(), u"images", WS_POPUP, CRect(0, 0, screenWidth, screenHeight), nullptr, 0))
      return FALSE;
    ShowWindow(SW_SHOW);
    UpdateWindow();
    return TRUE;
  }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_PAINT) {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(m_hWnd, &ps);
      Paint(dc);
      EndPaint(m_hWnd, &ps);
      return 0;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return CWnd::WindowProc(message, wParam, lParam);
  }

 private:
  void Paint(HDC dc) {
    HGDIOBJ before = SelectObject(dc, GetUiFont(kUiFontRegular12)->GetSafeHandle());
    SetBkMode(dc, TRANSPARENT);
    SetStretchBltMode(dc, COLORONCOLOR);
    for (const Placed& placed : placed_) {
      const Listed& item = placed.image->item();
      std::u16string label = Utf16(std::to_string(item.id) + "  " + item.file + "  " + std::to_string(item.width) +
                                   "x" + std::to_string(item.height) + "  " + std::to_string(item.frames) +
                                   (item.frames == 1 ? " frame" : " frames"));
      TextOutW(dc, placed.x, placed.y, label.c_str(), static_cast<int>(label.size()));
      placed.image->Draw(dc, placed.x1, placed.y1);
      Outline(dc, placed.x1, placed.y1, item.width, item.height, 1, item.frames);
      if (placed.x4 < 0) continue;
      StretchBlt(dc, placed.x4, placed.y4, item.width * kScale, item.height * kScale, dc, placed.x1, placed.y1,
                 item.width, item.height, SRCCOPY);
      Outline(dc, placed.x4, placed.y4, item.width, item.height, kScale, item.frames);
    }
    SelectObject(dc, before);
  }

  std::vector<Placed> placed_;
};

int ShowImages(const std::string& listPath) {
  InitUiFonts();
  auto list = ReadList(listPath);
  if (list.empty()) return 3;
  CImageSheet sheet;
  if (!sheet.Make(list)) return 4;
  return RunLoop();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--toolbar") == 0) {
    g_log = argv[2];
    return ShowToolBar();
  }
  if (argc == 4 && std::strcmp(argv[1], "--images") == 0) {
    g_log = argv[3];
    return ShowImages(argv[2]);
  }
  std::fprintf(stderr, "usage: browser_art_probe --toolbar <log> | --images <images.txt> <log>\n");
  return 2;
}
