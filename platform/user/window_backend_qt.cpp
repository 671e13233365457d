// Top-level windows on screen as Qt widgets.
#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QThread>
#include <unistd.h>

#include "hosted_widgets_qt.h"
#include "icon_object.h"
#include "input_filter_qt.h"
#include "window_access.h"
#include "qt_application.h"
#include "window_placement.h"
#include "window_table.h"
#include "window_widget_qt.h"

namespace quorla {
namespace {

class QtWindowBackend final : public WindowBackend {
 public:
  QtWindowBackend(HWND hwnd, DWORD style, DWORD exStyle) : widget_(new WindowWidget(hwnd, style, exStyle)) {}
  ~QtWindowBackend() override {
    ReleaseHostedChildren(widget_);  // their owners delete them, not Qt
    delete widget_;
  }

  void Show(bool activate, int showCommand) override {
    widget_->setAttribute(Qt::WA_ShowWithoutActivating, !activate);
    widget_->ShowInState(showCommand);
    if (activate && showCommand != SW_SHOWMINIMIZED) Activate();
  }
  void Hide() override { widget_->hide(); }
  void SetGeometry(const RECT& r) override {
    widget_->RequestGeometry(QRect(r.left, r.top, std::max(1, static_cast<int>(r.right - r.left)),
                                   std::max(1, static_cast<int>(r.bottom - r.top))));
  }
  void SetShape(const std::optional<QRegion>& shape) override {
    if (shape) widget_->setMask(*shape);
    else widget_->clearMask();
  }
  void Repaint(const QRegion& area) override {
    if (widget_->isVisible()) widget_->update(area);
  }
  void SetTitle(const std::u16string& title) override {
    widget_->setWindowTitle(QString::fromUtf16(title.data(), static_cast<qsizetype>(title.size())));
  }
  void SetFrame(DWORD style, DWORD exStyle) override { widget_->SetFrameStyle(style, exStyle); }
  void SetIcons(const QImage& small, const QImage& big) override {
    QIcon icon;
    for (const QImage* image : {&small, &big})
      if (!image->isNull()) icon.addPixmap(QPixmap::fromImage(*image));
    widget_->setWindowIcon(icon);
  }
  void Raise(bool topmost) override {
    if (topmost != widget_->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
      bool visible = widget_->isVisible();
      widget_->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
      if (visible) widget_->show();
    }
    RaiseWidget();
  }
  void Activate() override {
    if (!widget_->isVisible()) return;
    RaiseWidget();
    widget_->activateWindow();
  }
  void GrabPointer(bool grab) override {
    if (grab && widget_->isVisible()) widget_->grabMouse();
    else if (!grab) widget_->releaseMouse();
  }

  QWidget* Widget() const { return widget_; }

 private:
  // The offscreen platform keeps no stacking order (and says so on every
  // call); the layer's own z-order decides there.
  void RaiseWidget() {
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) widget_->raise();
  }

  WindowWidget* widget_;
};

// Only the process's main thread makes the Qt application for windows: a
// worker that shows a window first must not become Qt's thread.
bool MayRunQtHere() {
  if (QCoreApplication* app = QCoreApplication::instance()) return app->thread() == QThread::currentThread();
  return ::gettid() == ::getpid();
}

}  // namespace

std::shared_ptr<WindowBackend> MakeWindowBackend(HWND hwnd) {
  if (!MayRunQtHere()) return nullptr;
  EnsureQtApplication();
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
  InstallInputFilter();
  auto record = FindWindowRecord(hwnd);
  if (!record) return nullptr;
  DWORD style, exStyle;
  HICON smallIcon, bigIcon;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    style = record->style;
    exStyle = record->exStyle;
    smallIcon = record->ui.smallIcon;
    bigIcon = record->ui.bigIcon;
  }
  // The frame is the one the style asks for when the window first shows.
  auto backend = std::make_shared<QtWindowBackend>(hwnd, style, exStyle);
  if (smallIcon || bigIcon) backend->SetIcons(IconImage(smallIcon), IconImage(bigIcon));
  return backend;
}

QWidget* WidgetOfWindow(HWND hwnd) {
  std::shared_ptr<WindowBackend> backend;
  {
    std::lock_guard<std::mutex> guard(WindowTableLock());
    if (auto window = FindWindowRecordLocked(hwnd)) backend = window->ui.backend;
  }
  auto* qt = dynamic_cast<QtWindowBackend*>(backend.get());
  return qt ? qt->Widget() : nullptr;
}


}  // namespace quorla
