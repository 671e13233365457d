#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "killed_writers.h"
#include "win/last_error.h"
#include "win/profile.h"

namespace fs = std::filesystem;

namespace {

class Profile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("quorla-profile-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    file = (dir / "config.ini").u16string();
  }
  void TearDown() override { fs::remove_all(dir); }

  void Put(const std::string& bytes) const { std::ofstream(dir / "config.ini", std::ios::binary) << bytes; }
  std::string Contents() const {
    std::ifstream in(dir / "config.ini", std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
  }
  std::u16string Read(const char16_t* section, const char16_t* key, const char16_t* fallback = u"dflt") const {
    char16_t buffer[100];
    DWORD n = GetPrivateProfileStringW(section, key, fallback, buffer, 100, file.c_str());
    EXPECT_EQ(n, std::char_traits<char16_t>::length(buffer));
    return buffer;
  }

  fs::path dir;
  std::u16string file;
};

TEST_F(Profile, ReadsValuesByTheReadingRules) {
  struct Case {
    const char* name;
    std::string text;
    const char16_t* section;
    const char16_t* key;
    std::u16string expected;
  };
  const Case cases[] = {
      {"plain", "[Price]\nRunTray=1\n", u"Price", u"RunTray", u"1"},
      {"names without regard to case", "[pRiCe]\nrunTRAY=2\n", u"PRICE", u"RunTray", u"2"},
      {"value and name trimmed", "[Price]\n \t RunTray \t=  a b \t\n", u"Price", u"RunTray", u"a b"},
      {"section header with blanks", "  [ Price ]  \nx=3\n", u"Price", u"x", u"3"},
      {"CR LF lines", "[A]\r\nx=1\r\n[Price]\r\nx=2\r\n", u"Price", u"x", u"2"},
      {"CR-only lines", "[A]\rx=1\r[Price]\rx=2\r", u"Price", u"x", u"2"},
      {"last line without a break", "[Price]\nx=last", u"Price", u"x", u"last"},
      {"enclosing quotes removed", "[Price]\nx=\" quoted \"\n", u"Price", u"x", u" quoted "},
      {"single quotes too", "[Price]\nx='q'\n", u"Price", u"x", u"q"},
      {"unmatched quote kept", "[Price]\nx=\"q\n", u"Price", u"x", u"\"q"},
      {"empty value", "[Price]\nx=\n", u"Price", u"x", u""},
      {"first of two keys", "[Price]\nx=1\nX=2\n", u"Price", u"x", u"1"},
      {"key of another section ignored", "[Other]\nx=1\n[Price]\ny=2\n", u"Price", u"x", u"dflt"},
      {"keys before any section ignored", "x=1\n[Price]\n", u"Price", u"x", u"dflt"},
      {"comment is no key", "[Price]\n;x=1\n", u"Price", u";x", u"dflt"},
      {"missing section", "[Other]\nx=1\n", u"Price", u"x", u"dflt"},
      {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF[价格]\n名=值\n", u"价格", u"名", u"值"},
      {"equals sign inside the value", "[Price]\nurl=a=b\n", u"Price", u"url", u"a=b"},
  };
  for (const Case& c : cases) {
    Put(c.text);
    EXPECT_EQ(Read(c.section, c.key), c.expected) << c.name;
  }
}

TEST_F(Profile, DefaultsWhenFileIsMissingAndBuffersCut) {
  EXPECT_EQ(Read(u"Price", u"x", u"30"), u"30");
  EXPECT_EQ(Read(u"Price", u"x", u"  30 \t"), u"  30");  // trailing blanks of the default go
  EXPECT_EQ(Read(u"Price", u"x", nullptr), u"");
  Put("[Price]\nx=abcdef\n");
  char16_t small[4] = {u'z', u'z', u'z', u'z'};
  EXPECT_EQ(GetPrivateProfileStringW(u"Price", u"x", u"", small, 4, file.c_str()), 3u);
  EXPECT_EQ(std::u16string(small), u"abc");
  char16_t exact[7];
  EXPECT_EQ(GetPrivateProfileStringW(u"Price", u"x", u"", exact, 7, file.c_str()), 6u);
  EXPECT_EQ(std::u16string(exact), u"abcdef");
  EXPECT_EQ(GetPrivateProfileStringW(u"Price", u"x", u"", exact, 0, file.c_str()), 0u);
  EXPECT_EQ(GetPrivateProfileStringW(u"Price", nullptr, u"", exact, 7, file.c_str()), 0u);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(Profile, IntegerReaderSignAndDigitRules) {
  struct Case {
    const char* value;  // null: no key at all
    INT expected;
  };
  const Case cases[] = {
      {nullptr, -7}, {"", -7},      {"0", 0},       {"42", 42},    {"-1", -1},           {"+5", 5},
      {"12abc", 12}, {"abc", 0},    {"-", 0},       {"--1", 0},    {"0x10", 0},          {" 8 ", 8},
      {"007", 7},    {"2147483647", 2147483647},   {"4294967295", -1}, {"4294967296", 0}, {"1.9", 1},
  };
  for (const Case& c : cases) {
    Put(c.value ? std::string("[Price]\nRunTray=") + c.value + "\n" : std::string("[Price]\n"));
    EXPECT_EQ(static_cast<INT>(GetPrivateProfileIntW(u"Price", u"RunTray", -7, file.c_str())), c.expected)
        << (c.value ? c.value : "(absent)");
  }
  fs::remove(dir / "config.ini");
  EXPECT_EQ(static_cast<INT>(GetPrivateProfileIntW(u"Price", u"RunTray", -1, file.c_str())), -1);
}

TEST_F(Profile, WritesChangeOneLineAndKeepTheRest) {
  struct Case {
    const char* name;
    std::string before;
    const char16_t* section;
    const char16_t* key;
    const char16_t* value;
    std::string after;
  };
  const Case cases[] = {
      {"new file", "", u"Price", u"RunTray", u"0", "[Price]\nRunTray=0\n"},
      {"replace keeps comments and other sections",
       "; settings\n[Other]\nx=1\n\n[price]\n; note\nrunTray = 5 \ny=2\n",
       u"Price", u"RunTray", u"0",
       "; settings\n[Other]\nx=1\n\n[price]\n; note\nRunTray=0\ny=2\n"},
      {"new key after the section's last line, before blank lines",
       "[Price]\r\nx=1\r\n\r\n[Other]\r\ny=2\r\n", u"Price", u"z", u"3",
       "[Price]\r\nx=1\r\nz=3\r\n\r\n[Other]\r\ny=2\r\n"},
      {"new section after a last line without a break", "[Other]\ny=2", u"Price", u"z", u"3",
       "[Other]\ny=2\n[Price]\nz=3\n"},
      {"new key in the last section without a break", "[Price]\ny=2", u"Price", u"z", u"3",
       "[Price]\ny=2\nz=3"},
      {"CR-only file keeps its breaks", "[Price]\ry=2\r", u"Price", u"y", u"4", "[Price]\ry=4\r"},
      {"bytes that are no UTF-8 stay as they were", "[A]\nbad=\xFF\xFE\n[Price]\nx=1\n", u"Price", u"x", u"2",
       "[A]\nbad=\xFF\xFE\n[Price]\nx=2\n"},
      {"Chinese text in UTF-8", "", u"价格", u"名", u"值", "[价格]\n名=值\n"},
  };
  for (const Case& c : cases) {
    fs::remove(dir / "config.ini");
    if (!c.before.empty()) Put(c.before);
    ASSERT_TRUE(WritePrivateProfileStringW(c.section, c.key, c.value, file.c_str())) << c.name;
    EXPECT_EQ(Contents(), c.after) << c.name;
  }
  EXPECT_EQ(Read(u"价格", u"名"), u"值");
}

TEST_F(Profile, BadWritesFailAndTouchNothing) {
  Put("[Price]\nx=1\n");
  struct Case {
    const char16_t* section;
    const char16_t* key;
    const char16_t* value;
  };
  const Case cases[] = {
      {u"Price", u"x", u"1\n[Evil]"}, {u"Price", u"x=y", u"1"}, {u"Pri]ce", u"x", u"1"}, {u"Price", u"x\r", u"1"},
      {nullptr, u"x", u"1"},          {u"Price", nullptr, u"1"}, {u"Price", u"x", nullptr}, {u"", u"x", u"1"},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(WritePrivateProfileStringW(c.section, c.key, c.value, file.c_str()));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  }
  EXPECT_EQ(Contents(), "[Price]\nx=1\n");
  const std::u16string missingFolder = (dir / "no" / "config.ini").u16string();
  EXPECT_FALSE(WritePrivateProfileStringW(u"Price", u"x", u"1", missingFolder.c_str()));
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_FALSE(fs::exists(dir / "no"));
}

TEST_F(Profile, ReplacementLeavesNoTemporaryFileAndKeepsPermissions) {
  Put("[Price]\nx=1\n");
  fs::permissions(dir / "config.ini", fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(WritePrivateProfileStringW(u"Price", u"x", u"2", file.c_str()));
  EXPECT_EQ(fs::status(dir / "config.ini").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  for (const auto& entry : fs::directory_iterator(dir)) {
    std::string name = entry.path().filename().string();
    EXPECT_TRUE(name == "config.ini" || name == "config.ini.lock") << name;
  }
  // A folder standing where the file should be: the write fails, nothing is left behind.
  const std::u16string blocked = (dir / "blocked.ini").u16string();
  fs::create_directories(dir / "blocked.ini");
  EXPECT_FALSE(WritePrivateProfileStringW(u"Price", u"x", u"1", blocked.c_str()));
  EXPECT_TRUE(fs::is_directory(dir / "blocked.ini"));
  EXPECT_TRUE(fs::is_empty(dir / "blocked.ini"));
}

// Two processes each write their own keys at the same time: every key lands.
TEST_F(Profile, TwoProcessesWritingAtOnceLoseNoValue) {
  constexpr int kWrites = 60;
  pid_t children[2];
  const auto key = [](int who, int i) {
    return (who ? u"tray" : u"browser") + std::u16string{static_cast<char16_t>(u'A' + i % 26)} +
           std::u16string{static_cast<char16_t>(u'a' + i / 26)};
  };
  for (int who = 0; who < 2; ++who) {
    children[who] = ::fork();
    ASSERT_GE(children[who], 0);
    if (children[who] == 0) {
      for (int i = 0; i < kWrites; ++i)
        if (!WritePrivateProfileStringW(u"Price", key(who, i).c_str(), u"1", file.c_str())) ::_exit(1);
      ::_exit(0);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  for (int who = 0; who < 2; ++who) {
    for (int i = 0; i < kWrites; ++i) EXPECT_EQ(Read(u"Price", key(who, i).c_str()), u"1");
  }
}


TEST_F(Profile, WritersKilledHalfWayLeaveOneTemporaryFileAtMost) {
  Put("[Price]\nRunTray=0\n" + std::string(200000, ';') + "\n");  // a long file: each write takes a while
  const int killed = KillWritersHalfWay(
      dir, "config.ini", "config.ini.lock",
      [&](int i) {
        const std::u16string value(1, static_cast<char16_t>(u'0' + i % 10));
        return WritePrivateProfileStringW(u"Price", u"LastCheckTime", value.c_str(), file.c_str()) != FALSE;
      },
      [&](int round) { EXPECT_EQ(Read(u"Price", u"RunTray"), u"0") << "round " << round; });
  EXPECT_EQ(killed, 40);
  ASSERT_TRUE(WritePrivateProfileStringW(u"Price", u"CheckTimeLong", u"45", file.c_str()));
  EXPECT_EQ(Read(u"Price", u"CheckTimeLong"), u"45");
  EXPECT_FALSE(fs::exists(dir / "config.ini.new"));
}

}  // namespace
