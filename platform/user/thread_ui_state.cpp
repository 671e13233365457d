#include "thread_ui_state.h"

namespace quorla {

ThreadUiState& CurrentUiState() {
  thread_local ThreadUiState state;
  return state;
}

}  // namespace quorla
