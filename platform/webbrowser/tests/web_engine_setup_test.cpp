// Where the engine keeps what lasts, and the folders it falls back to.
#include <stdlib.h>

#include <filesystem>

#include "web_browser_fixture.h"
#include "web_engine_folders.h"
#include "win/window_state.h"

namespace quorla_test {
namespace {

TEST_F(WebBrowserTest, ProfileLivesUnderTheXdgFolders) {
  server.ServeBody("/a", "<html><head><title>A</title></head></html>", 200, "text/html");
  ASSERT_TRUE(server.Start());
  ASSERT_EQ(Navigate(Wide(server.Url("/a"))), S_OK);
  ASSERT_TRUE(WaitForEvent("DocumentComplete"));
  const std::string data = getenv("XDG_DATA_HOME");
  const std::string cache = getenv("XDG_CACHE_HOME");
  PumpUntil([&] { return std::filesystem::exists(cache + "/vxbrowser/webengine"); }, 5000);
  EXPECT_TRUE(std::filesystem::is_directory(data + "/vxbrowser/webengine"));
  EXPECT_TRUE(std::filesystem::is_directory(cache + "/vxbrowser/webengine"));
}

TEST_F(WebBrowserTest, AShownPageWorksWithoutAScreen) {
  server.ServeBody("/a", "<html><head><title>A</title></head><body><input autofocus></body></html>");
  ASSERT_TRUE(server.Start());
  // The host shown and active: the page's view would take the focus.
  ShowWindow(host, SW_SHOW);
  PumpFor(200);
  ASSERT_EQ(Navigate(Wide(server.Url("/a"))), S_OK);
  ASSERT_TRUE(WaitForEvent("DocumentComplete"));
  PumpFor(500);
  EXPECT_EQ(LocationName(), u"A");
  EXPECT_TRUE(IsWindowVisible(window));
}

TEST(WebEngineFolders, FollowTheEnvironmentElseTheHomeDefaults) {
  const std::string home = getenv("HOME") ? getenv("HOME") : "";
  struct Case {
    const char* data;   // null: unset
    const char* cache;
    std::string wantData;
    std::string wantCache;
  };
  const std::vector<Case> cases = {
      {"/x/data", "/x/cache", "/x/data/vxbrowser/webengine", "/x/cache/vxbrowser/webengine"},
      {nullptr, nullptr, home + "/.local/share/vxbrowser/webengine", home + "/.cache/vxbrowser/webengine"},
      // A relative folder is no XDG folder.
      {"rel/data", "", home + "/.local/share/vxbrowser/webengine", home + "/.cache/vxbrowser/webengine"},
  };
  for (const Case& c : cases) {
    if (c.data) setenv("XDG_DATA_HOME", c.data, 1);
    else unsetenv("XDG_DATA_HOME");
    if (c.cache) setenv("XDG_CACHE_HOME", c.cache, 1);
    else unsetenv("XDG_CACHE_HOME");
    const quorla::WebEngineFolders folders = quorla::WebEngineFoldersFromEnvironment();
    EXPECT_EQ(folders.data.toStdString(), c.wantData);
    EXPECT_EQ(folders.cache.toStdString(), c.wantCache);
  }
}

}  // namespace
}  // namespace quorla_test
