// The windowing work each turn of a thread's message loop does first.
#include "hosted_widgets_qt.h"
#include "thread_ui_state.h"
#include "ui_loop.h"
#include "window_dc.h"

namespace quorla {

void RunLoopTurnWork() {
  FlushOpenWindowDcs();
  ThreadUiState& state = CurrentUiState();
  if (!state.deferred.empty()) {
    std::vector<std::function<void()>> work;
    work.swap(state.deferred);
    for (auto& job : work) job();
  }
  // Widgets behind windows follow where their windows went meanwhile.
  PlaceHostedWidgets();
}

}  // namespace quorla
