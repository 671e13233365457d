// The monitor list from Qt's screens (the primary first), unless a test
// has put its own layout in place.
#include <QGuiApplication>
#include <QScreen>
#include <mutex>
#include <optional>

#include "monitor_layout.h"
#include "qt_application.h"
#include "win/monitors.h"

namespace quorla {
namespace {

struct Override {
  std::mutex lock;
  std::optional<std::vector<MonitorRecord>> monitors;
};

Override& TestLayout() {
  static auto* layout = new Override;  // outlives every static destructor
  return *layout;
}

RECT ToRect(const QRect& r) { return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

MonitorRecord FromScreen(const QScreen& screen) {
  QString name = screen.name();
  return MonitorRecord{ToRect(screen.geometry()), ToRect(screen.availableGeometry()),
                       std::u16string(reinterpret_cast<const char16_t*>(name.utf16()), name.size())};
}

}  // namespace

std::vector<MonitorRecord> CurrentMonitors() {
  {
    Override& o = TestLayout();
    std::lock_guard<std::mutex> guard(o.lock);
    if (o.monitors) return *o.monitors;
  }
  EnsureQtApplication();
  std::vector<MonitorRecord> monitors;
  QScreen* primary = QGuiApplication::primaryScreen();
  if (primary) monitors.push_back(FromScreen(*primary));
  for (QScreen* screen : QGuiApplication::screens())
    if (screen && screen != primary) monitors.push_back(FromScreen(*screen));
  return monitors;
}

void OverrideMonitorsForTesting(const MonitorArea* monitors, int count) {
  Override& o = TestLayout();
  std::lock_guard<std::mutex> guard(o.lock);
  if (!monitors || count <= 0) {
    o.monitors.reset();
    return;
  }
  std::vector<MonitorRecord> records;
  for (int i = 0; i < count; ++i) {
    std::string name = "TEST" + std::to_string(i + 1);
    records.push_back(MonitorRecord{monitors[i].monitor, monitors[i].work, std::u16string(name.begin(), name.end())});
  }
  o.monitors = std::move(records);
}

}  // namespace quorla
