#include "window_widget_qt.h"

#include <QCloseEvent>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>

#include "desktop_requests.h"
#include "thread_ui_state.h"
#include "window_tree.h"
#include "win/menus.h"
#include "win/messages.h"
#include "win/window_state.h"

namespace quorla {
namespace {

Qt::WindowFlags FlagsFor(DWORD style, DWORD exStyle) {
  Qt::WindowFlags flags = (exStyle & WS_EX_TOOLWINDOW) ? Qt::Tool : Qt::Window;
  const bool decorated = (style & (WS_CAPTION | WS_THICKFRAME | WS_DLGFRAME)) != 0 && !(style & WS_POPUP);
  if (!decorated) flags |= Qt::FramelessWindowHint;
  if (exStyle & WS_EX_TOPMOST) flags |= Qt::WindowStaysOnTopHint;
  if (exStyle & WS_EX_NOACTIVATE) flags |= Qt::WindowDoesNotAcceptFocus;
  // A top-level window the pointer passes through (a tooltip) takes no input
  // and needs nothing of a window manager.
  if (exStyle & WS_EX_TRANSPARENT) flags |= Qt::WindowTransparentForInput | Qt::X11BypassWindowManagerHint;
  return flags;
}

// Whether the painter draws into pixels whose alpha counts: the toolkit
// gives a window whose children draw through OpenGL (a page) a backing
// store with alpha, composed over those children.
bool DrawsWithAlpha(QPainter& painter) {
  QPaintEngine* engine = painter.paintEngine();
  QPaintDevice* device = engine ? engine->paintDevice() : nullptr;
  return device && device->devType() == QInternal::Image && static_cast<QImage*>(device)->hasAlphaChannel();
}

// How long the desktop may take to carry out a geometry the layer asked for;
// reports within that time that differ from it are stale.
constexpr qint64 kRequestSettleMs = 1000;

}  // namespace

WindowWidget::WindowWidget(HWND hwnd, DWORD style, DWORD exStyle) : QWidget(nullptr, FlagsFor(style, exStyle)), hwnd_(hwnd) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setAttribute(Qt::WA_QuitOnClose, false);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  if (exStyle & WS_EX_NOACTIVATE) setAttribute(Qt::WA_ShowWithoutActivating);
}

void WindowWidget::RequestGeometry(const QRect& rect) {
  requested_ = rect;
  requestAge_.start();
  setGeometry(rect);
}

void WindowWidget::paintEvent(QPaintEvent* event) {
  std::shared_ptr<WindowImage> image;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    if (auto window = FindWindowRecordLocked(hwnd_)) image = window->ui.image;
  }
  QPainter painter(this);
  if (!image) {
    painter.fillRect(event->rect(), Qt::white);
    return;
  }
  // The image is read in place: no copy of the pixels.
  QImage view(reinterpret_cast<const uchar*>(image->pixels.data()), image->width, image->height, image->width * 4,
              QImage::Format_RGB32);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  for (const QRect& r : event->region()) painter.drawImage(r.topLeft(), view, r);
  // The window's pixels carry no alpha (0 where a bitmap's reserved byte
  // is). Over a hosted page the toolkit composes this image onto the page
  // with its alpha, which must then say opaque: what the layer draws there
  // (a list over the page) covers the page instead of adding to it.
  if (DrawsWithAlpha(painter)) {
    painter.setCompositionMode(QPainter::CompositionMode_DestinationOver);
    for (const QRect& r : event->region()) painter.fillRect(r, Qt::black);
  }
}

void WindowWidget::closeEvent(QCloseEvent* event) {
  // The window decides about closing: SC_CLOSE, whose default sends WM_CLOSE.
  event->ignore();
  ForwardDesktopRequest(hwnd_, SC_CLOSE);
}

void WindowWidget::SetFrameStyle(DWORD style, DWORD exStyle) {
  Qt::WindowFlags flags = FlagsFor(style, exStyle);
  if (flags == windowFlags()) return;
  const bool visible = isVisible();
  const QRect place = geometry();
  setWindowFlags(flags);
  // Qt may take a window with new flags off the screen.
  setGeometry(place);
  if (visible && !isVisible()) show();
}

void WindowWidget::moveEvent(QMoveEvent*) { NoteGeometryFromDesktop(); }

void WindowWidget::resizeEvent(QResizeEvent*) { NoteGeometryFromDesktop(); }

void WindowWidget::NoteGeometryFromDesktop() {
  QRect now = geometry();
  if (requestAge_.isValid()) {
    if (now == requested_ || requestAge_.elapsed() < kRequestSettleMs) {
      if (now == requested_) requestAge_.invalidate();
      return;
    }
    requestAge_.invalidate();
  }
  QRect layer;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    auto window = FindWindowRecordLocked(hwnd_);
    if (!window) return;
    layer = RectOf(*window);
  }
  if (now == layer || now.isEmpty()) return;
  HWND hwnd = hwnd_;
  CurrentUiState().deferred.push_back([hwnd, now] {
    SetWindowPos(hwnd, nullptr, now.x(), now.y(), now.width(), now.height(), SWP_NOZORDER | SWP_NOACTIVATE);
  });
}

}  // namespace quorla
