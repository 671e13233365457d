// The user-interface thread's waits run Qt's event processing: the loop
// blocks in Qt, and the thread's queue wakes Qt when something arrives.
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include "ui_loop.h"
#include "win/waits.h"

namespace quorla {
namespace {

// The queue whose wake hook is set to wake Qt's dispatcher.
void HookQueue(ThreadQueue& queue) {
  thread_local ThreadQueue* hooked = nullptr;
  if (hooked == &queue) return;
  QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(QThread::currentThread());
  if (!dispatcher) return;
  queue.SetWakeHook([dispatcher] { dispatcher->wakeUp(); });
  hooked = &queue;
}

}  // namespace

bool ThreadRunsQt() {
  QCoreApplication* app = QCoreApplication::instance();
  return app && app->thread() == QThread::currentThread();
}

void WaitInQt(ThreadQueue& queue, DWORD milliseconds, const std::function<bool()>& ready) {
  HookQueue(queue);
  // Something may have arrived between the loop's last look and the hook.
  if (ready()) return;
  thread_local QTimer* timer = nullptr;
  if (milliseconds != INFINITE) {
    if (!timer) {
      timer = new QTimer;  // lives as long as the thread runs Qt
      timer->setSingleShot(true);
      timer->setTimerType(Qt::PreciseTimer);
    }
    timer->start(static_cast<int>(std::min<DWORD>(milliseconds, 0x7FFFFFFF)));
  }
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  if (timer) timer->stop();
}

void PumpQt() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace quorla
