#pragma once
// The application-wide filter that turns Qt's mouse and key events aimed at
// the layer's window widgets into queued messages (input_events.h) and
// swallows them. Widgets of menus, the notification-area icon and other Qt
// objects that back no window keep their input.
class QWidget;

namespace quorla {

// Installs the filter on the application once; the thread that runs Qt.
void InstallInputFilter();
// The window widget the pointer was last over (or that holds the grab).
QWidget* PointerWidget();

}  // namespace quorla
