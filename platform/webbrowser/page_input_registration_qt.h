#pragma once
// The engine's view of one WebBrowser control, hosted behind the control's
// window (hosted_widgets_qt.h): input over a page comes through the layer's
// queue like any window's, and the layer replays it to the engine's input
// widget. That widget is the view's focus proxy, which the engine replaces
// when it makes a new one for a page (a new renderer); the registration
// follows it. The view takes no menu of its own on a right click: such a
// menu would run outside the layer's loops.
//
// Used on the thread that runs Qt. The view outlives the registration or
// goes first; either way the window stops being hosted when the
// registration goes.
#include <QObject>
#include <QPointer>

#include "win/types.h"

class QWidget;

namespace quorla {

class PageInputRegistration final : public QObject {
 public:
  PageInputRegistration(HWND hwnd, QWidget* view);
  ~PageInputRegistration() override;
  PageInputRegistration(const PageInputRegistration&) = delete;
  PageInputRegistration& operator=(const PageInputRegistration&) = delete;

  // The view to the window's place, and the input widget checked again.
  void Place();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FollowInputWidget();

  HWND hwnd_;
  QPointer<QWidget> view_;
  QPointer<QWidget> input_;
};

}  // namespace quorla
