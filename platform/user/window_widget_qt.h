#pragma once
// The Qt widget behind a top-level window on screen. It only shows the
// window's persistent image and reports what the desktop did to it (a close,
// minimise, maximise or restore request, a move or resize by the window
// manager); all input is taken from
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
  // Shows the window in the state a show command names (SW_SHOWMINIMIZED,
  // SW_SHOWMAXIMIZED, anything else normal) at the geometry the layer asked
  // for (window_widget_states_qt.cpp).
  void ShowInState(int showCommand);
  // After the window procedure answered a request of the desktop: the
  // window on screen goes back to the layer's state when the procedure
  // refused the change.
  void FollowLayerState();
  // Decorated or frameless, as the styles say; keeps place and visibility.
  void SetFrameStyle(DWORD style, DWORD exStyle);

 protected:
  void paintEvent(QPaintEvent* event) override;
  // A close, minimise, maximise or restore asked by the desktop reaches the
  // window procedure as WM_SYSCOMMAND; the layer changes nothing itself.
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The desktop changed the geometry: the layer follows with SetWindowPos
  // when the thread's loop comes round.
  void NoteGeometryFromDesktop();

  const HWND hwnd_;
  bool applyingState_ = false;  // the layer changes the window state
  QRect requested_;
  QElapsedTimer requestAge_;
};

}  // namespace quorla
