#include "qt_application.h"

#include <QApplication>
#include <cstdlib>
#include <mutex>

namespace quorla {

void EnsureQtApplication() {
  static std::mutex lock;
  std::lock_guard<std::mutex> guard(lock);
  if (QCoreApplication::instance()) return;
  if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  }
  // Qt keeps references to argc and argv for the application's life.
  static int argc = 1;
  static char name[] = "quorla";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // never destroyed, see the header
}

}  // namespace quorla
