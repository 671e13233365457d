#pragma once
// For the tests of writers killed half-way: waits until a writer writes a file
// of the watched folder other than the target and its lock (its new file).
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <string>

// False when nothing of the kind happened within ten seconds.
inline bool AwaitWriteOfNewFile(int watch, const std::string& target, const std::string& lock) {
  char events[4096] __attribute__((aligned(alignof(inotify_event))));
  for (;;) {
    pollfd ready{watch, POLLIN, 0};
    if (::poll(&ready, 1, 10000) <= 0) return false;
    ssize_t n = ::read(watch, events, sizeof events);
    for (ssize_t at = 0; at < n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(events + at);
      const std::string name = event->len ? event->name : "";
      if (name != target && name != lock) return true;
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
}
