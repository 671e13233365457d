#include "qt_application.h"

#include <QApplication>
#include <QByteArray>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <unistd.h>

namespace quorla {
namespace {

QtMessageHandler g_previousHandler = nullptr;

// Qt reports a broken display connection (the X server went away, the user
// logged out) and then leaves through exit(), which would run static
// destructors under live worker threads. The process ends here instead, the
// way TerminateProcess ends it: nothing else runs, and no crash dump is
// written.
void WatchForLostDisplay(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type != QtDebugMsg && message.contains(QLatin1String("X11 connection broke"))) ::_exit(1);
  if (g_previousHandler) g_previousHandler(type, context, message);
  else {
    QByteArray text = qFormatLogMessage(type, context, message).toLocal8Bit();
    text.append('\n');
    [[maybe_unused]] ssize_t written = ::write(STDERR_FILENO, text.constData(), static_cast<size_t>(text.size()));
  }
}

// The program file's name: Qt names the application, and the X11 class of
// its windows, after argv[0].
std::string ProgramFileName() {
  char path[4096];
  ssize_t length = ::readlink("/proc/self/exe", path, sizeof(path) - 1);
  if (length <= 0) return "quorla";
  path[length] = 0;
  const char* slash = std::strrchr(path, '/');
  return slash ? slash + 1 : path;
}

}  // namespace

void EnsureQtApplication() {
  static std::mutex lock;
  std::lock_guard<std::mutex> guard(lock);
  if (QCoreApplication::instance()) return;
  // Shapes, placement by coordinates, the global pointer and grabs need
  // X11, so a display means xcb (XWayland included); none means offscreen.
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", std::getenv("DISPLAY") ? "xcb" : "offscreen", 1);
  // One device pixel per logical pixel: window images map 1:1 to the screen.
  setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
  setenv("QT_SCALE_FACTOR", "1", 1);
  unsetenv("QT_SCREEN_SCALE_FACTORS");
  unsetenv("QT_AUTO_SCREEN_SCALE_FACTOR");
  g_previousHandler = qInstallMessageHandler(WatchForLostDisplay);
  // Qt keeps references to argc and argv for the application's life.
  static std::string name = ProgramFileName();
  static int argc = 1;
  static char* argv[] = {name.data(), nullptr};
  auto* app = new QApplication(argc, argv);  // never destroyed, see the header
  app->setQuitOnLastWindowClosed(false);
}

}  // namespace quorla
