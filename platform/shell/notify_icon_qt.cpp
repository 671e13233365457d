// Notification-area icons over QSystemTrayIcon. The icons live on the
// user-interface thread (Qt's GUI thread) and are only touched there.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <vector>

#include "icon_object.h"
#include "qt_application.h"
#include "win/last_error.h"
#include "win/messages.h"
#include "win/notify_icon.h"
#include "win/window_objects.h"

namespace quorla {
namespace {

std::atomic<DWORD> g_waitMilliseconds{30000};

struct NotifyIcon {
  HWND window = nullptr;
  UINT id = 0;
  UINT callbackMessage = 0;
  bool hasCallback = false;
  std::unique_ptr<QSystemTrayIcon> icon;
  // Receives the icon's signals; going with this record, it takes the
  // connection along, even while Qt still holds the icon itself.
  std::unique_ptr<QObject> receiver = std::make_unique<QObject>();
};

std::vector<std::unique_ptr<NotifyIcon>>& Icons() {
  static auto* icons = new std::vector<std::unique_ptr<NotifyIcon>>;  // GUI thread only; never destroyed
  return *icons;
}

NotifyIcon* Find(HWND window, UINT id) {
  for (auto& icon : Icons())
    if (icon->window == window && icon->id == id) return icon.get();
  return nullptr;
}

void Report(NotifyIcon& icon, std::initializer_list<UINT> messages) {
  if (!icon.hasCallback) return;
  for (UINT message : messages) PostMessageW(icon.window, icon.callbackMessage, icon.id, message);
}

void OnActivated(NotifyIcon* icon, QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    // The second press of a double click comes as DoubleClick alone.
    case QSystemTrayIcon::Trigger:
      Report(*icon, {WM_LBUTTONDOWN, WM_LBUTTONUP});
      break;
    case QSystemTrayIcon::DoubleClick:
      Report(*icon, {WM_LBUTTONDBLCLK});
      break;
    case QSystemTrayIcon::Context:
      Report(*icon, {WM_RBUTTONDOWN, WM_RBUTTONUP});
      break;
    default:
      break;
  }
}

QString TipText(const WCHAR (&tip)[128]) {
  const WCHAR* end = std::find(tip, tip + 128, u'\0');
  return QString::fromUtf16(tip, end - tip);
}

QIcon IconFrom(HICON handle) {
  QImage image = IconImage(handle);
  if (image.isNull()) {
    // The notification area shows nothing for an icon without an image.
    image = QImage(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
  }
  return QIcon(QPixmap::fromImage(image));
}

void Apply(NotifyIcon& icon, const NOTIFYICONDATAW& data) {
  if (data.uFlags & NIF_MESSAGE) {
    icon.callbackMessage = data.uCallbackMessage;
    icon.hasCallback = true;
  }
  if (data.uFlags & NIF_TIP) icon.icon->setToolTip(TipText(data.szTip));
  if (data.uFlags & NIF_ICON) icon.icon->setIcon(IconFrom(data.hIcon));
}

bool HasDisplay() {
  QString platform = QGuiApplication::platformName();
  return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

// Serves the display connection until a notification area shows up or the
// wait is over. Only Qt's own events are handled, no message of the program.
bool WaitForNotificationArea() {
  if (QSystemTrayIcon::isSystemTrayAvailable()) return true;
  if (!HasDisplay()) return false;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(g_waitMilliseconds.load());
  while (std::chrono::steady_clock::now() < deadline) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QThread::msleep(50);
    if (QSystemTrayIcon::isSystemTrayAvailable()) return true;
  }
  return false;
}

BOOL Add(const NOTIFYICONDATAW& data) {
  if (!IsWindow(data.hWnd) || Find(data.hWnd, data.uID)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!WaitForNotificationArea()) {
    SetLastError(ERROR_TIMEOUT);
    return FALSE;
  }
  auto icon = std::make_unique<NotifyIcon>();
  icon->window = data.hWnd;
  icon->id = data.uID;
  icon->icon = std::make_unique<QSystemTrayIcon>();
  Apply(*icon, data);
  if (!(data.uFlags & NIF_ICON)) icon->icon->setIcon(IconFrom(nullptr));
  NotifyIcon* raw = icon.get();
  QObject::connect(raw->icon.get(), &QSystemTrayIcon::activated, raw->receiver.get(),
                   [raw](QSystemTrayIcon::ActivationReason reason) { OnActivated(raw, reason); });
  raw->icon->show();
  Icons().push_back(std::move(icon));
  return TRUE;
}

BOOL Modify(const NOTIFYICONDATAW& data) {
  NotifyIcon* icon = Find(data.hWnd, data.uID);
  if (!icon) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Apply(*icon, data);
  return TRUE;
}

BOOL Delete(const NOTIFYICONDATAW& data) {
  auto& icons = Icons();
  auto found = std::find_if(icons.begin(), icons.end(),
                            [&](const auto& icon) { return icon->window == data.hWnd && icon->id == data.uID; });
  if (found == icons.end()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::unique_ptr<NotifyIcon> icon = std::move(*found);
  icons.erase(found);
  icon->icon->hide();
  // Qt may still be inside a signal of this icon further up the stack.
  icon->icon.release()->deleteLater();
  return TRUE;
}

}  // namespace

void SetNotificationAreaWait(DWORD milliseconds) { g_waitMilliseconds = milliseconds; }

}  // namespace quorla

BOOL Shell_NotifyIconW(DWORD message, PNOTIFYICONDATAW data) {
  if (!data || message > NIM_DELETE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  quorla::EnsureQtApplication();
  if (QThread::currentThread() != QCoreApplication::instance()->thread()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  switch (message) {
    case NIM_ADD:
      return quorla::Add(*data);
    case NIM_MODIFY:
      return quorla::Modify(*data);
    default:
      return quorla::Delete(*data);
  }
}
