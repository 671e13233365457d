#pragma once
// What the main window draws on its rows besides their skins: the search
// box's frame with the chosen search site's icon, the address box's frame
// with the current page's icon, and the status text on the status bar.
// Draws onto the window's off-screen canvas, after the rows and the status
// bar themselves.
#include <functional>

#include "afx/dc.h"
#include "afx/string.h"
#include "frame_images.h"
#include "main_frame_layout.h"

class RowsPainter {
 public:
  RowsPainter(const FrameImages& images, const RowMetrics& metrics) : images_(images), m_(metrics) {}

  // The two box frames, the site icon (none: nothing) and, through
  // drawPageIcon, the current tab's 16 by 16 page icon at the given point.
  void DrawBoxes(CDC& dc, const CMyImage* siteIcon, const std::function<void(CDC&, CPoint)>& drawPageIcon) const;
  // Black, in the first shared font, one line, cut with an ellipsis.
  void DrawStatusText(CDC& dc, const CString& text) const;

  CRect StatusTextRect() const;
  // Where the page icon of the current tab goes.
  CPoint PageIconPlace() const;
  // The square a click on which opens the site chooser.
  CRect SiteIconSquare(int iconHeight) const;

 private:
  void DrawSearchFrame(CDC& dc) const;
  void DrawAddressFrame(CDC& dc) const;

  const FrameImages& images_;
  RowMetrics m_;
};
