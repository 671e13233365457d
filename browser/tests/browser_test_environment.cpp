// The browser's process-wide objects for the tests of its windows, built
// once, over a settings folder of the test process's own; the web engine,
// which the windows' pages start, keeps its profile (cookies, cache) in
// folders of the test process's own too, and the pages' controls are hosted
// as the program's start allows.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "afx/ole_control_site.h"
#include "afx/win_app.h"
#include "process_objects.h"

namespace {

class BrowserEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "vxbrowser-test-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    ::setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
    ::setenv("XDG_DATA_HOME", (folder_ + "/data").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", (folder_ + "/cache").c_str(), 1);
    BuildBrowserProcessObjects();
    // As the program's start does before its window hosts pages.
    ASSERT_TRUE(AfxOleInit());
    AfxEnableControlContainer();
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

 private:
  std::string folder_;
};

[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new BrowserEnvironment);

}  // namespace
