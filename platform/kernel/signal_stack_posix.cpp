// Alternate signal stacks for threads, so that a fault caused by a stack
// overflow can still run the crash filter.
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include "win/threads.h"

namespace {

// The stack this layer installed on the calling thread; released when the
// thread ends.
class OwnedSignalStack {
 public:
  ~OwnedSignalStack() {
    if (!memory_) return;
    stack_t current{};
    if (sigaltstack(nullptr, &current) == 0 && current.ss_sp == memory_) {
      stack_t off{};
      off.ss_flags = SS_DISABLE;
      sigaltstack(&off, nullptr);
    }
    munmap(memory_, size_);
  }

  bool Install() {
    stack_t current{};
    if (sigaltstack(nullptr, &current) == 0 && !(current.ss_flags & SS_DISABLE) && current.ss_size >= kMinimum)
      return true;  // someone (a sanitizer runtime, an earlier call) already gave one
    long minimum = sysconf(_SC_MINSIGSTKSZ);
    size_ = kMinimum + (minimum > 0 ? static_cast<size_t>(minimum) : 0);
    void* memory = mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_STACK, -1, 0);
    if (memory == MAP_FAILED) return false;
    stack_t stack{};
    stack.ss_sp = memory;
    stack.ss_size = size_;
    if (sigaltstack(&stack, nullptr) != 0) {
      munmap(memory, size_);
      return false;
    }
    memory_ = memory;
    return true;
  }

 private:
  static constexpr size_t kMinimum = 64 * 1024;  // room for the dump writer's frames
  void* memory_ = nullptr;
  size_t size_ = 0;
};

thread_local OwnedSignalStack t_signalStack;

}  // namespace

namespace quorla {
bool EnsureAlternateSignalStack() { return t_signalStack.Install(); }
}  // namespace quorla
