#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "win/last_error.h"
#include "win/shell_folders.h"

namespace fs = std::filesystem;

namespace {

class ShellFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("quorla-shell-" + std::to_string(::getpid()));
    fs::create_directories(root);
    setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
  }
  void TearDown() override { fs::remove_all(root); }
  fs::path root;
};

TEST_F(ShellFolders, AppDataIsTheXdgConfigFolderMadeOnRequest) {
  WCHAR path[MAX_PATH];
  EXPECT_FALSE(SHGetSpecialFolderPathW(nullptr, path, CSIDL_APPDATA, FALSE));
  ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, path, CSIDL_APPDATA, TRUE));
  EXPECT_EQ(std::u16string(path), (root / "config").u16string());
  EXPECT_TRUE(fs::is_directory(root / "config"));

  setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
  setenv("HOME", root.c_str(), 1);
  ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, path, CSIDL_APPDATA, TRUE));
  EXPECT_EQ(std::u16string(path), (root / ".config").u16string());
}

TEST_F(ShellFolders, CreateDirectoryAnswers) {
  const std::u16string deep = (root / "a" / "b" / "vxbrowser").u16string();
  EXPECT_EQ(SHCreateDirectory(nullptr, deep.c_str()), ERROR_SUCCESS);
  EXPECT_TRUE(fs::is_directory(root / "a" / "b" / "vxbrowser"));
  EXPECT_EQ(SHCreateDirectory(nullptr, deep.c_str()), static_cast<int>(ERROR_ALREADY_EXISTS));
  std::ofstream(root / "file") << "x";
  EXPECT_EQ(SHCreateDirectory(nullptr, (root / "file").u16string().c_str()), static_cast<int>(ERROR_FILE_EXISTS));
  EXPECT_EQ(SHCreateDirectory(nullptr, u"relative\\dir"), static_cast<int>(ERROR_BAD_PATHNAME));
  EXPECT_EQ(SHCreateDirectory(nullptr, (root / "file" / "below").u16string().c_str()),
            static_cast<int>(ERROR_FILE_EXISTS));
}

}  // namespace
