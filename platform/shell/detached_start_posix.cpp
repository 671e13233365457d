#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include "detached_start.h"

namespace quorla {
namespace {

constexpr unsigned kCloseRangeCloexec = 1u << 2;

std::vector<char*> NullTerminated(const std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  pointers.reserve(texts.size() + 1);
  for (const std::string& text : texts) pointers.push_back(const_cast<char*>(text.c_str()));
  pointers.push_back(nullptr);
  return pointers;
}

// Only calls that are safe between fork and exec in a threaded process.
[[noreturn]] void Fail(int reportFd, StartFailure::Stage stage) {
  StartFailure failure;
  failure.stage = stage;
  failure.error = errno;
  ssize_t ignored = ::write(reportFd, &failure, sizeof(failure));
  (void)ignored;
  ::_exit(127);
}

[[noreturn]] void RunProgram(int reportFd, const char* program, char* const* argv, char* const* envp,
                             const char* folder) {
  struct sigaction standard {};
  standard.sa_handler = SIG_DFL;
  for (int signal = 1; signal < NSIG; ++signal) {
    if (signal != SIGKILL && signal != SIGSTOP) ::sigaction(signal, &standard, nullptr);
  }
  sigset_t none;
  ::sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);
  if (*folder && ::chdir(folder) != 0) Fail(reportFd, StartFailure::kFolder);
  // Descriptors that the starter forgot to mark close-on-exec (a lock file's
  // included) must not leak into the program.
  ::syscall(SYS_close_range, 3u, ~0u, kCloseRangeCloexec);
  ::execve(program, argv, envp);
  Fail(reportFd, StartFailure::kExec);
}

}  // namespace

StartFailure StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment, const std::string& folder) {
  std::vector<char*> argv = NullTerminated(arguments);
  std::vector<char*> envp = NullTerminated(environment);
  StartFailure failure;
  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) {
    failure.stage = StartFailure::kFork;
    failure.error = errno;
    return failure;
  }
  // No handler of this process may run in the children before exec.
  sigset_t all, previous;
  ::sigfillset(&all);
  ::pthread_sigmask(SIG_SETMASK, &all, &previous);
  pid_t child = ::fork();
  if (child == 0) {
    ::close(report[0]);
    ::setsid();
    pid_t grandchild = ::fork();
    if (grandchild < 0) Fail(report[1], StartFailure::kFork);
    if (grandchild > 0) ::_exit(0);
    RunProgram(report[1], program.c_str(), argv.data(), envp.data(), folder.c_str());
  }
  const int forkError = errno;
  ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  ::close(report[1]);
  if (child < 0) {
    ::close(report[0]);
    failure.stage = StartFailure::kFork;
    failure.error = forkError;
    return failure;
  }
  int status;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  // The report pipe closes without a word when exec succeeds.
  ssize_t got;
  do {
    got = ::read(report[0], &failure, sizeof(failure));
  } while (got < 0 && errno == EINTR);
  ::close(report[0]);
  if (got != static_cast<ssize_t>(sizeof(failure))) failure = StartFailure{};
  return failure;
}

}  // namespace quorla
