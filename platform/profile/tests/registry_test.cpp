#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "killed_writers.h"
#include "win/registry.h"

namespace fs = std::filesystem;

namespace {

constexpr char16_t kRun[] = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class RunKey : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("quorla-registry-" + std::to_string(::getpid()));
    fs::create_directories(root / "config");
    ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
  }
  void TearDown() override { fs::remove_all(root); }

  std::string Entry(const std::string& name = "Quorla") const {
    std::ifstream in(root / "config" / "autostart" / (name + ".desktop"), std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
  }
  static LSTATUS SetText(HKEY key, const std::u16string& text, const char16_t* name = u"Quorla") {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                          static_cast<DWORD>(text.size() * 2));
  }

  fs::path root;
};

TEST_F(RunKey, OnlyTheRunKeyOfTheLocalMachineOpens) {
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRun, 0, KEY_WRITE, &key), ERROR_SUCCESS);
  EXPECT_NE(key, nullptr);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"software\\microsoft\\windows\\currentversion\\run", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Other", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr);
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kRun, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRun, 0, KEY_READ, nullptr), ERROR_INVALID_PARAMETER);
}

TEST_F(RunKey, SettingTheValueWritesAnAutostartEntryForTheBuiltProgram) {
  fs::create_directories(root / "app");
  std::ofstream(root / "app" / "VXTray") << "program";
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRun, 0, KEY_WRITE, &key), ERROR_SUCCESS);
  EXPECT_TRUE(fs::is_directory(root / "config" / "autostart"));
  // The ".exe" name and its letter case map to the program file; backslashes and ".." are folded.
  std::u16string data = (root / "app").u16string() + u"\\sub\\..\\vxtray.exe";
  ASSERT_EQ(SetText(key, data), ERROR_SUCCESS);
  EXPECT_EQ(Entry(), "[Desktop Entry]\nType=Application\nName=Quorla\nExec=\"" + (root / "app" / "VXTray").string() +
                         "\"\nTerminal=false\nX-GNOME-Autostart-enabled=true\n");
  // Setting again replaces the entry; the count bounds the text, no terminator is read.
  std::u16string other = (root / "app").u16string() + u"/VXBrowserXXXX";
  ASSERT_EQ(RegSetValueExW(key, u"Quorla", 0, REG_SZ, reinterpret_cast<const BYTE*>(other.data()),
                           static_cast<DWORD>((other.size() - 4) * 2)),
            ERROR_SUCCESS);
  EXPECT_NE(Entry().find("Exec=\"" + (root / "app" / "VXBrowser").string() + "\"\n"), std::string::npos);
  // A count that includes the terminator gives the same text.
  std::u16string terminated = other.substr(0, other.size() - 4);
  ASSERT_EQ(RegSetValueExW(key, u"Quorla", 0, REG_SZ, reinterpret_cast<const BYTE*>(terminated.c_str()),
                           static_cast<DWORD>((terminated.size() + 1) * 2)),
            ERROR_SUCCESS);
  EXPECT_NE(Entry().find("Exec=\"" + (root / "app" / "VXBrowser").string() + "\"\n"), std::string::npos);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RunKey, ExecQuotesAndEscapesTheFolderName) {
  struct Case {
    std::u16string folder;
    std::string exec;
  };
  const Case cases[] = {
      {u"/opt/my apps", R"(Exec="/opt/my apps/VXTray")"},
      {u"/opt/say \"hi\"", R"(Exec="/opt/say \\"hi\\"/VXTray")"},
      {u"/opt/100%", R"(Exec="/opt/100%%/VXTray")"},
      {u"/opt/$HOME`x`", R"(Exec="/opt/\\$HOME\\`x\\`/VXTray")"},
      {u"/opt/价格", "Exec=\"/opt/价格/VXTray\""},
  };
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRun, 0, KEY_WRITE, &key), ERROR_SUCCESS);
  for (const Case& c : cases) {
    ASSERT_EQ(SetText(key, c.folder + u"/VXTray"), ERROR_SUCCESS);
    EXPECT_NE(Entry().find(c.exec + "\n"), std::string::npos) << Entry();
  }
  RegCloseKey(key);
}

TEST_F(RunKey, DeletingRemovesTheEntryAndFailsWithoutOne) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRun, 0, KEY_READ | KEY_WRITE, &key), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueW(key, u"Quorla"), ERROR_FILE_NOT_FOUND);
  ASSERT_EQ(SetText(key, u"/opt/app/VXTray.exe"), ERROR_SUCCESS);
  EXPECT_TRUE(fs::exists(root / "config" / "autostart" / "Quorla.desktop"));
  EXPECT_EQ(RegDeleteValueW(key, u"quorla"), ERROR_SUCCESS);  // value names match without regard to case
  EXPECT_FALSE(fs::exists(root / "config" / "autostart" / "Quorla.desktop"));
  EXPECT_EQ(RegDeleteValueW(key, u"Quorla"), ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);
}

TEST_F(RunKey, AccessRightsAndBadArgumentsAreRefused) {
  HKEY reading = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRun, 0, KEY_READ, &reading), ERROR_SUCCESS);
  EXPECT_EQ(SetText(reading, u"/opt/VXTray"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteValueW(reading, u"Quorla"), ERROR_ACCESS_DENIED);
  RegCloseKey(reading);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRun, 0, KEY_WRITE, &key), ERROR_SUCCESS);
  const DWORD one = 1;
  EXPECT_EQ(RegSetValueExW(key, u"Quorla", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4),
            ERROR_INVALID_PARAMETER);
  for (const char16_t* name : {u"", u"..", u"a/b", u"a\\b"}) {
    EXPECT_EQ(SetText(key, u"/opt/VXTray", name), ERROR_INVALID_PARAMETER);
  }
  EXPECT_EQ(RegSetValueExW(key, u"Quorla", 0, REG_SZ, nullptr, 4), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(SetText(key, u""), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(SetText(nullptr, u"/opt/VXTray"), ERROR_INVALID_HANDLE);
  EXPECT_EQ(SetText(HKEY_LOCAL_MACHINE, u"/opt/VXTray"), ERROR_INVALID_HANDLE);
  EXPECT_TRUE(fs::is_empty(root / "config" / "autostart"));
  RegCloseKey(key);
}


// The entry is always one whole entry, whenever its writer was killed.
TEST_F(RunKey, WritersKilledHalfWayLeaveOneNewFileAtMost) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRun, 0, KEY_WRITE, &key), ERROR_SUCCESS);
  ASSERT_EQ(SetText(key, u"/opt/a/VXTray"), ERROR_SUCCESS);
  const std::string entryA = Entry();
  ASSERT_EQ(SetText(key, u"/opt/b/VXTray"), ERROR_SUCCESS);
  const std::string entryB = Entry();
  const fs::path folder = root / "config" / "autostart";
  const int killed = KillWritersHalfWay(
      folder, "Quorla.desktop", ".quorla.desktop.lock",
      [&](int i) { return SetText(key, i % 2 ? u"/opt/a/VXTray" : u"/opt/b/VXTray") == ERROR_SUCCESS; },
      [&](int round) {
        const std::string now = Entry();
        EXPECT_TRUE(now == entryA || now == entryB) << "round " << round << ": " << now;
      });
  EXPECT_EQ(killed, 40);
  ASSERT_EQ(SetText(key, u"/opt/c/VXTray"), ERROR_SUCCESS);
  EXPECT_NE(Entry().find("/opt/c/VXTray"), std::string::npos);
  EXPECT_FALSE(fs::exists(folder / "Quorla.desktop.new"));
  // Deleting takes the same lock and leaves only the lock file.
  ASSERT_EQ(RegDeleteValueW(key, u"QUORLA"), ERROR_SUCCESS);
  EXPECT_FALSE(fs::exists(folder / "Quorla.desktop"));
  RegCloseKey(key);
}

TEST_F(RunKey, AnAutostartFolderThatCannotBeMadeRefusesWriting) {
  std::ofstream(root / "config" / "autostart") << "a file in the way";
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRun, 0, KEY_WRITE, &key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(key, nullptr);
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRun, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
  RegCloseKey(key);
}

}  // namespace
