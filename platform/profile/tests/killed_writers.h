#pragma once
// For the tests of writers killed half-way (a program is killed at log-out):
// writer processes killed while they write their new file must leave one
// new file at most, which the next writer takes over.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

// False when no writer wrote a file of the watched folder other than the
// target and its lock (its new file) within ten seconds.
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

// Forty rounds: a child process calls write(0), write(1), ... until it is
// killed, once it writes its new file; then the folder holds nothing but the
// target, its lock and the new file, and check(round) runs. Gives how many
// children were killed while writing.
inline int KillWritersHalfWay(const std::filesystem::path& folder, const std::string& target,
                              const std::string& lock, const std::function<bool(int)>& write,
                              const std::function<void(int)>& check) {
  const int watch = ::inotify_init1(IN_CLOEXEC);
  EXPECT_GE(watch, 0);
  EXPECT_GE(::inotify_add_watch(watch, folder.c_str(), IN_MODIFY), 0);
  int killedWhileWriting = 0;
  for (int round = 0; round < 40; ++round) {
    const pid_t child = ::fork();
    if (child < 0) {
      ADD_FAILURE() << "no child process";
      break;
    }
    if (child == 0) {
      for (int i = 0;; ++i)
        if (!write(i)) ::_exit(1);
    }
    killedWhileWriting += AwaitWriteOfNewFile(watch, target, lock);
    ::kill(child, SIGKILL);
    int status = 0;
    EXPECT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status));
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      const std::string name = entry.path().filename().string();
      EXPECT_TRUE(name == target || name == lock || name == target + ".new") << "round " << round << ": " << name;
    }
    check(round);
  }
  ::close(watch);
  return killedWhileWriting;
}
