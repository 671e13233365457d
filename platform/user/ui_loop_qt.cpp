// The user-interface thread's waits run Qt's event processing: the loop
// blocks in Qt, and the thread's queue wakes Qt when something arrives.
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <memory>

#include "ui_loop.h"
#include "win/waits.h"

namespace quorla {
namespace {

// Whether the thread sleeps (or is about to) in Qt's event processing; only
// then does a post need to wake Qt, which costs a system call.
struct QtWaitState {
  ThreadQueue* hooked = nullptr;
  std::shared_ptr<std::atomic<bool>> blocked = std::make_shared<std::atomic<bool>>(false);
};

QtWaitState& WaitState() {
  thread_local QtWaitState state;
  return state;
}

void HookQueue(ThreadQueue& queue) {
  QtWaitState& state = WaitState();
  if (state.hooked == &queue) return;
  QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(QThread::currentThread());
  if (!dispatcher) return;
  // The poster first queues, then reads the flag; the waiter first sets the
  // flag, then looks at the queue: one of them always sees the other.
  queue.SetWakeHook([dispatcher, blocked = state.blocked] {
    if (blocked->exchange(false)) dispatcher->wakeUp();  // one wake-up per sleep is enough
  });
  state.hooked = &queue;
}

}  // namespace

bool ThreadRunsQt() {
  QCoreApplication* app = QCoreApplication::instance();
  return app && app->thread() == QThread::currentThread();
}

void WaitInQt(ThreadQueue& queue, DWORD milliseconds, const std::function<bool()>& ready) {
  HookQueue(queue);
  std::atomic<bool>& blocked = *WaitState().blocked;
  blocked.store(true);
  // Something may have arrived before the flag was up.
  if (ready()) {
    blocked.store(false);
    return;
  }
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
  blocked.store(false);
  if (timer) timer->stop();
}

void PumpQt() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace quorla
