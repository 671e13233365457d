// The name of the tray program's mutex, by which the browser finds it.
#include <gtest/gtest.h>

#include <string>

#include "vxshared/tray_program.h"

namespace {

bool IsHexDigit(char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f'); }

TEST(TrayProgram, MutexNameIsABracedGuidWithTheProgramNameInFront) {
  const std::u16string name = kTrayMutexName;
  const std::u16string prefix = u"{VXTray-";
  ASSERT_EQ(name.substr(0, prefix.size()), prefix);
  ASSERT_EQ(name.back(), u'}');
  // The GUID's groups of 8, 4, 4, 4 and 12 hexadecimal digits.
  const std::u16string guid = name.substr(prefix.size(), name.size() - prefix.size() - 1);
  const std::size_t groups[] = {8, 4, 4, 4, 12};
  std::size_t at = 0;
  for (std::size_t i = 0; i < 5; ++i) {
    for (std::size_t j = 0; j < groups[i]; ++j, ++at) {
      ASSERT_LT(at, guid.size());
      EXPECT_TRUE(IsHexDigit(guid[at])) << "position " << at;
    }
    if (i < 4) {
      EXPECT_EQ(guid[at++], u'-');
    }
  }
  EXPECT_EQ(at, guid.size());
}

}  // namespace
