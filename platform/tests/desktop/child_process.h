#pragma once
// Programs a desktop test starts: started without a shell, each in a
// process group of its own, with the environment given and its standard
// output and error written to log files. The object owns the process: its
// destructor ends it (and its group) when it still runs, and reaps it.
// One thread uses an object at a time.
#include <sys/types.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorla_desktop {

struct LaunchOptions {
  std::vector<std::string> argv;         // argv[0] is the program's path
  std::vector<std::string> environment;  // "NAME=value", the whole environment
  std::string workingDirectory;          // empty: the test's own
  std::string logPrefix;                 // <prefix>.out and <prefix>.err; empty: /dev/null
  std::vector<std::pair<int, int>> descriptors;  // (ours, the child's) handed over besides
};

class ChildProcess {
 public:
  // Null when the program cannot be started; error says why.
  static std::unique_ptr<ChildProcess> Launch(const LaunchOptions& options, std::string* error = nullptr);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }
  bool Running();
  // The exit code once the process has ended within the time-out: its exit
  // status, or 128 + the signal that ended it. Nothing while it still runs.
  std::optional<int> Wait(std::chrono::milliseconds timeout);
  // SIGTERM to the group, then SIGKILL when it is still there after grace.
  std::optional<int> Terminate(std::chrono::milliseconds grace = std::chrono::seconds(5));
  void Kill();
  // What it wrote so far to its standard output and error.
  std::string Output() const;
  std::string Errors() const;

 private:
  ChildProcess(pid_t pid, std::string logPrefix) : pid_(pid), logPrefix_(std::move(logPrefix)) {}
  bool Reap(bool block);

  pid_t pid_;
  std::string logPrefix_;
  std::optional<int> exitCode_;
};

struct CommandResult {
  int exitCode = -1;  // as ChildProcess::Wait; -1 when it could not run or timed out
  std::string output;
};

// Runs a tool to its end and gives its standard output (standard error is
// dropped). A tool still running after the time-out is killed.
CommandResult RunCommand(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                         std::chrono::milliseconds timeout = std::chrono::seconds(30));

}  // namespace quorla_desktop
