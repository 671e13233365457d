#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "vxshared/browser_config.h"
#include "vxshared/config_file.h"
#include "vxshared/tray_config.h"
#include "win/modules.h"
#include "win/profile.h"

namespace fs = std::filesystem;

namespace {

class Settings : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("quorla-settings-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root);
    ::setenv("XDG_CONFIG_HOME", root.c_str(), 1);
    char16_t program[MAX_PATH];
    ASSERT_NE(GetModuleFileNameW(nullptr, program, MAX_PATH), 0u);
    programDir = fs::path(std::u16string(program)).parent_path();
  }
  void TearDown() override { fs::remove_all(root); }

  fs::path Ini() const { return root / "vxbrowser" / "config.ini"; }
  fs::path Entry() const { return root / "autostart" / "Quorla.desktop"; }
  void PutIni(const std::string& text) const {
    fs::create_directories(Ini().parent_path());
    std::ofstream(Ini(), std::ios::binary) << text;
  }
  // "RunTray" as the settings dialog reads it.
  INT RunTray() const {
    return static_cast<INT>(GetPrivateProfileIntW(u"Price", u"RunTray", -1, Ini().u16string().c_str()));
  }
  static std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
  }
  std::string ExecLine(const fs::path& program) const { return "Exec=\"" + program.string() + "\"\n"; }

  fs::path root;
  fs::path programDir;
};

// The first start (no settings folder, or RunTray -1 or absent) sets the
// tray program to start at log-on and records mode 0; a start that finds a
// mode leaves the Run value alone.
TEST_F(Settings, TheFirstStartRuleRunsWhenRunTrayIsMinusOneOrAbsentOnly) {
  struct Case {
    const char* ini;  // null: no settings folder
    bool ruleRuns;
  };
  const Case cases[] = {
      {nullptr, true}, {"[Price]\nRunTray=-1\n", true}, {"[Price]\nCheckTimeLong=5\n", true},
      {"[Price]\nRunTray=2\n", false}, {"[Price]\nRunTray=abc\n", false},  // reads as 0
      {"[price]\nruntray = 1\n", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ini ? c.ini : "no folder");
    fs::remove_all(root);
    fs::create_directories(root);
    if (c.ini) PutIni(c.ini);
    CConfigFile config;
    EXPECT_EQ(config.InitConfigPath(), Ini().u16string());
    EXPECT_EQ(config.Path(), Ini().u16string());
    EXPECT_EQ(fs::exists(Entry()), c.ruleRuns);
    if (c.ruleRuns) {
      EXPECT_EQ(RunTray(), 0);
      EXPECT_NE(Read(Entry()).find(ExecLine(programDir / "VXTray")), std::string::npos) << Read(Entry());
    }
  }
}

TEST_F(Settings, AnUnwritableAutostartFolderLeavesRunTrayAbsent) {
  std::ofstream(root / "autostart") << "a file where the folder belongs";
  CConfigFile config;
  config.InitConfigPath();
  EXPECT_EQ(RunTray(), -1);
  config.SetRunMode(1);
  config.SetRunMode(2);
  EXPECT_EQ(RunTray(), -1);
  // The other settings are still written.
  config.WriteCheckTimeLong(12);
  EXPECT_EQ(config.ReadCheckTimeLong(), 12u);
}

TEST_F(Settings, RunModesChangeTheRunValueBeforeRunTray) {
  CConfigFile config;
  config.InitConfigPath();
  config.SetRunMode(1);
  EXPECT_EQ(RunTray(), 1);
  char16_t program[MAX_PATH];
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  EXPECT_NE(Read(Entry()).find(ExecLine(fs::path(std::u16string(program)))), std::string::npos);
  config.SetRunMode(2);
  EXPECT_EQ(RunTray(), 2);
  EXPECT_FALSE(fs::exists(Entry()));
  // Mode 2 without the value: the delete fails, "RunTray" keeps what it had.
  PutIni("[Price]\nRunTray=1\n");
  config.SetRunMode(2);
  EXPECT_EQ(RunTray(), 1);
  // Modes that do not exist change nothing.
  for (int mode : {-1, 3, 100}) {
    config.SetRunMode(mode);
    EXPECT_EQ(RunTray(), 1);
    EXPECT_FALSE(fs::exists(Entry()));
  }
}

TEST_F(Settings, TheTrayProgramKnowsModeZeroOnly) {
  CTrayConfig tray;
  tray.InitConfigPath();
  EXPECT_EQ(RunTray(), 0);
  fs::remove(Entry());
  tray.SetRunMode(1);
  tray.SetRunMode(2);
  EXPECT_EQ(RunTray(), 0);
  EXPECT_FALSE(fs::exists(Entry()));
  PutIni("[Price]\nRunTray=2\n");
  tray.SetRunMode(0);
  EXPECT_EQ(RunTray(), 0);
  EXPECT_NE(Read(Entry()).find(ExecLine(programDir / "VXTray")), std::string::npos);
}

TEST_F(Settings, ScheduleKeysReadWithTheirDefaultsAndConversions) {
  struct Case {
    const char* ini;
    DWORD interval;
    ULONGLONG last;
  };
  const Case cases[] = {
      {"", 30, 0},
      {"[Price]\nCheckTimeLong=abc\nLastCheckTime=xyz\n", 0, 0},
      {"[Price]\nCheckTimeLong=45\nLastCheckTime=1331128800\n", 45, 1331128800ull},
      {"[Price]\nCheckTimeLong=  7min\nLastCheckTime=\t12 34\n", 7, 12},
      {"[Price]\nCheckTimeLong=-5\n", 0, 0},
      {"[Price]\nCheckTimeLong=4294967295\nLastCheckTime=18446744073709551615\n", 4294967295u,
       18446744073709551615ull},
      {"[Price]\nCheckTimeLong=99999999999\nLastCheckTime=99999999999999999999\n", 4294967295u,
       18446744073709551615ull},
      {"[Price]\nCheckTimeLong=\n", 0, 0},
  };
  CConfigFile config;
  config.InitConfigPath();
  for (const Case& c : cases) {
    PutIni(c.ini);
    EXPECT_EQ(config.ReadCheckTimeLong(), c.interval) << c.ini;
    EXPECT_EQ(config.ReadLastCheckTime(), c.last) << c.ini;
  }
}

TEST_F(Settings, WritesUseDecimalTextAndKeepTheOtherKeys) {
  CConfigFile config;
  config.InitConfigPath();
  config.WriteCheckTimeLong(4294967295u);
  config.WriteLastCheckTime(18446744073709551615ull);
  EXPECT_EQ(Read(Ini()), "[Price]\nRunTray=0\nCheckTimeLong=4294967295\nLastCheckTime=18446744073709551615\n");
  config.WriteLastCheckTime(1331128800ull);
  EXPECT_EQ(config.ReadLastCheckTime(), 1331128800ull);
  EXPECT_EQ(config.ReadCheckTimeLong(), 4294967295u);
  // The folder removed behind the program's back is made again by the next write.
  fs::remove_all(root / "vxbrowser");
  config.WriteCheckTimeLong(9);
  EXPECT_EQ(config.ReadCheckTimeLong(), 9u);
}

TEST_F(Settings, TheBrowserKeepsOneProcessWidePath) {
  EXPECT_EQ(std::u16string(GetConfigPath()), u"");
  EXPECT_EQ(ReadCheckTimeLong(), 30u);  // no path yet: the default, and nothing written
  WriteCheckTimeLong(5);
  EXPECT_FALSE(fs::exists(Ini()));
  EXPECT_EQ(std::u16string(InitConfigPath()), Ini().u16string());
  EXPECT_EQ(std::u16string(GetConfigPath()), Ini().u16string());
  WriteCheckTimeLong(15);
  WriteLastCheckTime(77);
  EXPECT_EQ(ReadCheckTimeLong(), 15u);
  EXPECT_EQ(ReadLastCheckTime(), 77u);
  SetRunMode(2);
  EXPECT_EQ(RunTray(), 2);
}

TEST_F(Settings, NoApplicationDataFolderMeansDefaultsAndNoWrites) {
  ::setenv("XDG_CONFIG_HOME", "relative/not/allowed", 1);
  ::setenv("HOME", (root / "file").c_str(), 1);
  std::ofstream(root / "file") << "not a folder";
  CConfigFile config;
  EXPECT_EQ(std::u16string(config.InitConfigPath()), u"");
  config.WriteCheckTimeLong(3);
  EXPECT_EQ(config.ReadCheckTimeLong(), 30u);
  EXPECT_FALSE(fs::exists("vxbrowser"));
}

}  // namespace
