#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

namespace quorla_desktop {
namespace {

std::vector<char*> Pointers(const std::vector<std::string>& texts) {
  std::vector<char*> out;
  for (const std::string& t : texts) out.push_back(const_cast<char*>(t.c_str()));
  out.push_back(nullptr);
  return out;
}

int CodeOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Starts argv with the file actions given; the child leads a new process group.
pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
            posix_spawn_file_actions_t* actions, std::string* error) {
  if (argv.empty()) {
    if (error) *error = "no program";
    return -1;
  }
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  posix_spawnattr_setpgroup(&attributes, 0);
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  std::vector<char*> args = Pointers(argv), env = Pointers(environment);
  pid_t pid = -1;
  int result = posix_spawnp(&pid, argv[0].c_str(), actions, &attributes, args.data(), env.data());
  posix_spawnattr_destroy(&attributes);
  if (result != 0) {
    if (error) *error = argv[0] + ": " + std::strerror(result);
    return -1;
  }
  return pid;
}

}  // namespace

std::unique_ptr<ChildProcess> ChildProcess::Launch(const LaunchOptions& options, std::string* error) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  std::string out = options.logPrefix.empty() ? "/dev/null" : options.logPrefix + ".out";
  std::string err = options.logPrefix.empty() ? "/dev/null" : options.logPrefix + ".err";
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  for (auto [ours, theirs] : options.descriptors) posix_spawn_file_actions_adddup2(&actions, ours, theirs);
  if (!options.workingDirectory.empty())
    posix_spawn_file_actions_addchdir_np(&actions, options.workingDirectory.c_str());
  pid_t pid = Spawn(options.argv, options.environment, &actions, error);
  posix_spawn_file_actions_destroy(&actions);
  if (pid < 0) return nullptr;
  return std::unique_ptr<ChildProcess>(new ChildProcess(pid, options.logPrefix));
}

ChildProcess::~ChildProcess() {
  if (!exitCode_ && !Reap(false)) {
    ::kill(-pid_, SIGKILL);
    ::kill(pid_, SIGKILL);
    Reap(true);
  }
}

bool ChildProcess::Reap(bool block) {
  if (exitCode_) return true;
  int status = 0;
  pid_t done;
  do done = ::waitpid(pid_, &status, block ? 0 : WNOHANG);
  while (done < 0 && errno == EINTR);
  if (done != pid_) return false;
  exitCode_ = CodeOf(status);
  return true;
}

bool ChildProcess::Running() { return !Reap(false); }

std::optional<int> ChildProcess::Wait(std::chrono::milliseconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!Reap(false)) {
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return exitCode_;
}

std::optional<int> ChildProcess::Terminate(std::chrono::milliseconds grace) {
  if (Reap(false)) return exitCode_;
  ::kill(-pid_, SIGTERM);
  ::kill(pid_, SIGTERM);
  if (auto code = Wait(grace)) return code;
  Kill();
  return exitCode_;
}

void ChildProcess::Kill() {
  if (Reap(false)) return;
  ::kill(-pid_, SIGKILL);
  ::kill(pid_, SIGKILL);
  Reap(true);
}

std::string ChildProcess::Output() const { return logPrefix_.empty() ? "" : ReadFile(logPrefix_ + ".out"); }
std::string ChildProcess::Errors() const { return logPrefix_.empty() ? "" : ReadFile(logPrefix_ + ".err"); }

CommandResult RunCommand(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                         std::chrono::milliseconds timeout) {
  CommandResult result;
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return result;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = Spawn(argv, environment, &actions, nullptr);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeFds[1]);
  if (pid < 0) {
    ::close(pipeFds[0]);
    return result;
  }
  auto deadline = std::chrono::steady_clock::now() + timeout;
  bool timedOut = false;
  char buffer[65536];
  for (;;) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      timedOut = true;
      break;
    }
    pollfd p{pipeFds[0], POLLIN, 0};
    int ready = ::poll(&p, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) continue;
    ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    result.output.append(buffer, static_cast<size_t>(n));
  }
  ::close(pipeFds[0]);
  if (timedOut) {
    ::kill(-pid, SIGKILL);
    ::kill(pid, SIGKILL);
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  result.exitCode = timedOut ? -1 : CodeOf(status);
  return result;
}

}  // namespace quorla_desktop
