#pragma once
// The Qt widget behind a top-level window on screen. It only shows the
// window's persistent image and reports what the desktop did to it (a close
// request, a move or resize by the window manager); all input is taken from
// it by the application-wide input filter (input_filter_qt.cpp). Lives on the
// thread that runs Qt; owned by the window's backend.
#include <QElapsedTimer>
#include <QWidget>

#include "win/types.h"

namespace quorla {

class WindowWidget final : public QWidget {
 public:
  WindowWidget(HWND hwnd, DWORD style, DWORD exStyle);
  HWND Window() const { return hwnd_; }

  // Geometry the layer asked for; the desktop's reports of it are not news.
  void RequestGeometry(const QRect& rect);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The desktop changed the geometry: the layer follows with SetWindowPos
  // when the thread's loop comes round.
  void NoteGeometryFromDesktop();

  const HWND hwnd_;
  QRect requested_;
  QElapsedTimer requestAge_;
};

}  // namespace quorla
