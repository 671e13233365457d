// Every test process keeps the engine's profile (cookies, cache) in folders
// of its own, removed when it ends: tests never share a profile, and none
// touches the user's.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

class PrivateProfileFolders {
 public:
  PrivateProfileFolders() : owner_(::getpid()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorla-webbrowser-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) return;
    root_ = pattern;
    std::error_code ignored;
    std::filesystem::create_directories(root_ + "/data", ignored);
    std::filesystem::create_directories(root_ + "/cache", ignored);
    ::setenv("XDG_DATA_HOME", (root_ + "/data").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", (root_ + "/cache").c_str(), 1);
  }
  ~PrivateProfileFolders() {
    std::error_code ignored;
    if (!root_.empty() && ::getpid() == owner_) std::filesystem::remove_all(root_, ignored);
  }

 private:
  const pid_t owner_;
  std::string root_;
};

PrivateProfileFolders g_folders;

}  // namespace
