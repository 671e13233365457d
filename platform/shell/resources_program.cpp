// Finding the program's resource registration function at run time.
#include <dlfcn.h>

#include <mutex>

#include "program_resources.h"

namespace quorla {

void LoadProgramResources() {
  static std::once_flag once;
  std::call_once(once, [] {
    // The program's own symbols, and those of the libraries it was linked
    // with; never those of libraries loaded later with local binding.
    void* program = ::dlopen(nullptr, RTLD_LAZY);
    if (!program) return;
    using Registration = void (*)();
    auto registration = reinterpret_cast<Registration>(::dlsym(program, "QuorlaProgramResources"));
    if (registration) registration();
  });
}

}  // namespace quorla
