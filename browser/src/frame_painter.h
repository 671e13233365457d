#pragma once
// Paints the main window's own frame: the caption with its logo, title and
// links, the navigation and favourites rows, the status bar and the
// borders, into an off-screen bitmap of the client's size that is then
// copied to the window in one go, so nothing flickers.
#include <functional>

#include "afx/dc.h"
#include "afx/string.h"
#include "frame_images.h"

class FramePainter {
 public:
  FramePainter(const FrameImages& images, int width, int height) : images_(images), width_(width), height_(height) {}

  // Paints the whole client onto target (at 0, 0). drawLinks draws the
  // caption's links onto the off-screen canvas, after the title.
  void Paint(CDC& target, const CString& title, const std::function<void(CDC&)>& drawLinks) const;

  // The parts, each onto a DC of the client's size.
  void DrawCaption(CDC& dc, const CString& title) const;
  void DrawRows(CDC& dc) const;
  void DrawStatusBar(CDC& dc) const;
  void DrawBorders(CDC& dc) const;

 private:
  const FrameImages& images_;
  int width_;
  int height_;
};
