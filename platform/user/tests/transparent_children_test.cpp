#include <gtest/gtest.h>

#include <string>

#include "window_test_support.h"
#include "win/blit.h"
#include "win/dib.h"
#include "win/text_draw.h"

namespace {

using quorla_test::WindowLog;

constexpr COLORREF kSkin = RGB(200, 40, 40);   // what the parent paints everywhere
constexpr COLORREF kInk = RGB(0, 0, 160);      // the child's text
constexpr COLORREF kOld = RGB(10, 200, 10);    // what was on screen before

// A parent with WS_CLIPCHILDREN at (0,0)-(200,100) whose WM_PAINT fills its
// whole client area, and a child at (50,30)-(150,60) whose WM_PAINT draws a
// word with a transparent background and whose WM_ERASEBKGND erases nothing,
// as a text link over a caption skin does.
struct Caption {
  WindowLog log;
  HWND parent = nullptr, child = nullptr;
  std::vector<HWND> painted;
  std::u16string word = u"设置 link";

  explicit Caption(DWORD childExStyle) {
    log.handlers[WM_PAINT] = [this](HWND hwnd, UINT, WPARAM, LPARAM) -> LRESULT {
      painted.push_back(hwnd);
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      RECT client;
      GetClientRect(hwnd, &client);
      if (hwnd == parent) {
        HBRUSH skin = CreateSolidBrush(kSkin);
        FillRect(dc, &client, skin);
        DeleteObject(skin);
      } else {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, kInk);
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        DrawTextW(dc, word.c_str(), -1, &client, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
      }
      EndPaint(hwnd, &paint);
      return 0;
    };
    log.handlers[WM_ERASEBKGND] = [this](HWND hwnd, UINT m, WPARAM w, LPARAM l) -> LRESULT {
      return hwnd == child ? 0 : DefWindowProcW(hwnd, m, w, l);
    };
    parent = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 200, 100);
    child = CreateWindowExW(childExStyle, u"QuorlaTestWindow", u"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 50, 30,
                            100, 30, parent, nullptr, nullptr, nullptr);
    quorla_test::DrainMessages();
  }
  ~Caption() { DestroyWindow(parent); }

  // The child's pixels, row by row, read through the parent in one copy.
  std::vector<DWORD> ChildPixels() const {
    HDC window = GetDC(parent);
    HDC memory = CreateCompatibleDC(window);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 100;
    info.bmiHeader.biHeight = -30;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, 100, 30, window, 50, 30, SRCCOPY);
    std::vector<DWORD> pixels(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + 100 * 30);
    for (DWORD& p : pixels) p &= 0x00FFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(parent, window);
    return pixels;
  }

  // Counts the child's pixels by colour, read through the parent.
  struct Counts {
    int skin = 0, ink = 0, old = 0;
  };
  Counts Count() const {
    Counts n;
    for (int y = 30; y < 60; ++y) {
      for (int x = 50; x < 150; ++x) {
        COLORREF c = quorla_test::PixelOf(parent, x, y);
        n.skin += c == kSkin;
        n.old += c == kOld;
        n.ink += GetBValue(c) > GetRValue(c) + 40;  // mostly the text colour, antialiased or not
      }
    }
    return n;
  }
};

TEST(TransparentChildren, TheParentPaintsBeneathThenTheChildPaintsOverIt) {
  struct Case {
    const char* what;
    DWORD exStyle;
    bool parentPixelsInChild;
  } cases[] = {
      {"transparent: the skin shows around the text", WS_EX_TRANSPARENT, true},
      {"opaque: WS_CLIPCHILDREN keeps the parent out", 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Caption caption(c.exStyle);
    // The screen before the repaint, the child's area included.
    quorla_test::FillWindow(caption.parent, kOld);
    quorla_test::FillWindow(caption.child, kOld);
    caption.painted.clear();
    InvalidateRect(caption.parent, nullptr, TRUE);
    quorla_test::DrainMessages();
    const auto [skin, ink, old] = caption.Count();
    if (c.parentPixelsInChild) {
      EXPECT_GT(ink, 20) << "the child's text";
      EXPECT_GT(skin, 100 * 30 / 2) << "most of the child is the parent's skin";
      EXPECT_EQ(old, 0);
      // Painted in that order: the parent, then the child over it.
      EXPECT_EQ(caption.painted, (std::vector<HWND>{caption.parent, caption.child}));
    } else {
      EXPECT_EQ(skin, 0);
      EXPECT_GT(old, 100 * 30 / 2) << "the parent did not draw there";
      EXPECT_EQ(caption.painted, (std::vector<HWND>{caption.parent}));
    }
    EXPECT_EQ(quorla_test::PixelOf(caption.parent, 10, 10), kSkin);
  }
}

TEST(TransparentChildren, APartialRepaintOfTheParentRepaintsTheChildWhereItOverlaps) {
  struct Case {
    const char* what;
    RECT area;  // parent client coordinates
    bool childPaints;
  } cases[] = {
      {"over the child", {40, 20, 80, 50}, true},
      {"beside the child", {0, 0, 40, 100}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Caption caption(WS_EX_TRANSPARENT);
    caption.painted.clear();
    InvalidateRect(caption.parent, &c.area, TRUE);
    UpdateWindow(caption.parent);
    const bool childPainted =
        std::find(caption.painted.begin(), caption.painted.end(), caption.child) != caption.painted.end();
    EXPECT_EQ(childPainted, c.childPaints);
    EXPECT_EQ(caption.painted.front(), caption.parent);
    EXPECT_GT(caption.Count().ink, 20) << "the text survives the parent's repaint";
  }
}

TEST(TransparentChildren, AChildRepaintingAloneStartsAgainFromWhatTheParentPaintedBeneathIt) {
  struct Case {
    const char* what;
    const char16_t* then;  // the word of the child's later paints
    int repaints;
    BOOL erase;
    bool likeAFreshPaint;
  } cases[] = {
      {"the same word again and again: the text keeps its weight", u"设置 link", 3, TRUE, true},
      {"another word: the old one is gone", u"反馈", 1, TRUE, true},
      {"no erase asked: the child draws over its own last image", u"反馈", 1, FALSE, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Caption caption(WS_EX_TRANSPARENT);
    InvalidateRect(caption.parent, nullptr, TRUE);
    quorla_test::DrainMessages();
    caption.word = c.then;
    for (int i = 0; i < c.repaints; ++i) {
      caption.painted.clear();
      InvalidateRect(caption.child, nullptr, c.erase);
      UpdateWindow(caption.child);
      ASSERT_EQ(caption.painted, (std::vector<HWND>{caption.child})) << "the parent does not paint again";
    }
    const std::vector<DWORD> alone = caption.ChildPixels();
    InvalidateRect(caption.parent, nullptr, TRUE);
    quorla_test::DrainMessages();
    const std::vector<DWORD> fresh = caption.ChildPixels();
    EXPECT_EQ(alone == fresh, c.likeAFreshPaint);
    EXPECT_GT(caption.Count().skin, 100 * 30 / 2);
  }
}

TEST(TransparentChildren, AChildMovedSinceItsParentPaintedLaysNothingStaleBeneathItself) {
  // The parent paints columns of different colours, so pixels kept at the
  // child's old place would show at its new one.
  Caption caption(WS_EX_TRANSPARENT);
  caption.log.handlers[WM_PAINT] = [&caption, inner = caption.log.handlers[WM_PAINT]](HWND hwnd, UINT m, WPARAM w,
                                                                                        LPARAM l) -> LRESULT {
    if (hwnd != caption.parent) return inner(hwnd, m, w, l);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    for (int x = 0; x < 200; ++x) {
      RECT column{x, 0, x + 1, 100};
      HBRUSH brush = CreateSolidBrush(RGB(x, 40, 40));
      FillRect(dc, &column, brush);
      DeleteObject(brush);
    }
    EndPaint(hwnd, &paint);
    return 0;
  };
  InvalidateRect(caption.parent, nullptr, TRUE);
  quorla_test::DrainMessages();
  // Moved without a repaint of the parent: what lies there now is what the
  // parent painted there before.
  MoveWindow(caption.child, 70, 30, 100, 30, FALSE);
  ValidateRect(caption.parent, nullptr);
  caption.word = u"";
  InvalidateRect(caption.child, nullptr, TRUE);
  UpdateWindow(caption.child);
  for (int x = 150; x < 170; ++x) {
    SCOPED_TRACE(x);
    EXPECT_EQ(quorla_test::PixelOf(caption.parent, x, 32), RGB(x, 40, 40));
  }
}

TEST(TransparentChildren, AGetDcOfTheParentReachesUnderTheTransparentChildOnly) {
  Caption transparent(WS_EX_TRANSPARENT);
  quorla_test::FillWindow(transparent.parent, kOld);
  EXPECT_EQ(quorla_test::PixelOf(transparent.parent, 100, 45), kOld);
  Caption opaque(0);
  quorla_test::FillWindow(opaque.child, kSkin);
  quorla_test::FillWindow(opaque.parent, kOld);
  EXPECT_EQ(quorla_test::PixelOf(opaque.parent, 100, 45), kSkin) << "an opaque child is cut out";
}

TEST(TransparentChildren, TheMouseStillFindsTheTransparentChild) {
  Caption caption(WS_EX_TRANSPARENT);
  RECT screen;
  GetWindowRect(caption.parent, &screen);
  struct Case {
    POINT client;  // the parent's client coordinates
    bool child;
  } cases[] = {{{60, 40}, true}, {{149, 59}, true}, {{150, 45}, false}, {{10, 10}, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.client.x);
    const POINT at{screen.left + c.client.x, screen.top + c.client.y};
    EXPECT_EQ(WindowFromPoint(at), c.child ? caption.child : caption.parent);
    EXPECT_EQ(ChildWindowFromPoint(caption.parent, c.client), c.child ? caption.child : caption.parent);
  }
}

}  // namespace
