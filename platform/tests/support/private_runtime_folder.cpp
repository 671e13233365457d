// Every test process gets a runtime folder of its own (XDG_RUNTIME_DIR), so
// windows and named mutexes of tests that run side by side never meet, and
// none of them meets a program the user runs. The children a test starts
// inherit it and meet their parent there.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

class PrivateRuntimeFolder {
 public:
  PrivateRuntimeFolder() : owner_(::getpid()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorla-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) return;
    path_ = pattern;
    ::setenv("XDG_RUNTIME_DIR", path_.c_str(), 1);
  }
  ~PrivateRuntimeFolder() {
    std::error_code ignored;
    if (!path_.empty() && ::getpid() == owner_) std::filesystem::remove_all(path_, ignored);
  }

 private:
  const pid_t owner_;
  std::string path_;
};

PrivateRuntimeFolder g_folder;

}  // namespace
