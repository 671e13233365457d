#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "win/shell_autocomplete.h"

namespace fs = std::filesystem;

namespace {

class AddressHistory : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("quorla-history-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root);
    setenv("XDG_DATA_HOME", root.c_str(), 1);
    file = root / "quorla" / "address-history";
  }
  void TearDown() override {
    chmod((root / "quorla").c_str(), 0755);
    fs::remove_all(root);
  }

  std::vector<std::string> Lines() const {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  std::string Contents() const {
    std::ifstream in(file, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
  }

  fs::path root, file;
};

TEST_F(AddressHistory, NewestFirstEachOnceInAWholeFile) {
  for (const char16_t* url : {u"http://a.example/", u"https://www.taobao.com/", u"http://a.example/"})
    ASSERT_EQ(AddUrlToAutoCompleteHistory(url), S_OK);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"http://a.example/", "https://www.taobao.com/"}));
  EXPECT_EQ(Contents().back(), '\n');  // every line complete
  // Nothing is left beside it.
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(root / "quorla")) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"address-history", "address-history.lock"}));
}

TEST_F(AddressHistory, KeepsOnlyTheNewestAddressesUpToItsBound) {
  for (unsigned i = 0; i < kAddressHistoryLimit + 25; ++i) {
    const std::u16string url = u"http://site" + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)) + u".example/" +
                               std::u16string(1, static_cast<char16_t>(u'0' + i / 26));
    ASSERT_EQ(AddUrlToAutoCompleteHistory(url.c_str()), S_OK);
  }
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), kAddressHistoryLimit);
  const unsigned last = kAddressHistoryLimit + 24;
  EXPECT_EQ(lines.front(), "http://site" + std::string(1, static_cast<char>('a' + last % 26)) + ".example/" +
                               std::string(1, static_cast<char>('0' + last / 26)));
}

TEST_F(AddressHistory, RefusesWhatItWouldNotOffer) {
  const std::u16string tooLong = u"http://x.example/" + std::u16string(kAddressHistoryMaxLength, u'a');
  struct Case {
    const char* name;
    const char16_t* url;
    HRESULT result;
  } cases[] = {
      {"null", nullptr, E_INVALIDARG},
      {"empty", u"", E_INVALIDARG},
      {"blank page", u"about:blank", E_INVALIDARG},
      {"two lines", u"http://a.example/\nhttp://b.example/", E_INVALIDARG},
      {"too long", tooLong.c_str(), E_INVALIDARG},
      {"Chinese path", u"http://s.taobao.com/search?q=手机", S_OK},
  };
  for (const Case& c : cases) EXPECT_EQ(AddUrlToAutoCompleteHistory(c.url), c.result) << c.name;
  EXPECT_EQ(Lines(), std::vector<std::string>{"http://s.taobao.com/search?q=手机"});
}

TEST_F(AddressHistory, AFileThatCannotBeWrittenStaysAsItWas) {
  ASSERT_EQ(AddUrlToAutoCompleteHistory(u"http://kept.example/"), S_OK);
  const std::string before = Contents();
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
  chmod((root / "quorla").c_str(), 0555);
  EXPECT_EQ(AddUrlToAutoCompleteHistory(u"http://lost.example/"), E_FAIL);
  EXPECT_EQ(Contents(), before);
}

TEST_F(AddressHistory, ProgramsRecordingAtOnceEachAddTheirAddress) {
  std::vector<std::thread> writers;
  for (int t = 0; t < 4; ++t)
    writers.emplace_back([t] {
      for (int i = 0; i < 10; ++i) {
        const std::u16string url = u"http://w" + std::u16string(1, static_cast<char16_t>(u'0' + t)) + u".example/" +
                                   std::u16string(1, static_cast<char16_t>(u'0' + i));
        AddUrlToAutoCompleteHistory(url.c_str());
      }
    });
  for (auto& writer : writers) writer.join();
  EXPECT_EQ(Lines().size(), 40u);
}

}  // namespace
