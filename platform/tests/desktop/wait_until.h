#pragma once
// Waiting for something a desktop test cannot be told about: polls a
// condition until it holds or the time-out passes.
#include <chrono>
#include <thread>

namespace quorla_desktop {

template <class Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds interval = std::chrono::milliseconds(100)) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(interval);
  }
}

}  // namespace quorla_desktop
