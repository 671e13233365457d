#include <gtest/gtest.h>

#include <cstring>

#include "imaging/dib_mem_file.h"

namespace {

TEST(DibMemFile, ReadsWholeItems) {
  BYTE data[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  CDibMemFile file(data, 10);
  BYTE out[16] = {};
  EXPECT_EQ(file.Read(out, 4, 4), 2u);  // 10 bytes copied, two whole items
  EXPECT_EQ(out[9], 9);
  EXPECT_EQ(file.Read(out, 1, 1), 0u);
  EXPECT_TRUE(file.Eof());
  EXPECT_TRUE(file.Seek(8, 0));
  EXPECT_EQ(file.Read(out, 4, 1), 0u);  // a short single item: nothing whole
  EXPECT_EQ(file.Tell(), 10);
  EXPECT_EQ(file.Read(nullptr, 1, 1), 0u);
}

TEST(DibMemFile, SeekOriginsAndLimits) {
  BYTE data[10] = {};
  CDibMemFile file(data, 10);
  struct Case {
    LONG offset;
    int origin;
    bool ok;
    LONG position;
  } cases[] = {{-5, 0, true, 0},  {5, 2, true, 15}, {-20, 1, true, 0}, {3, 1, true, 3},
               {4, 7, false, 3}, {0x7FFFFFFF, 1, true, 0x7FFFFFFF}, {0x7FFFFFFF, 1, true, 0x7FFFFFFF}};
  for (const Case& c : cases) {
    EXPECT_EQ(file.Seek(c.offset, c.origin), c.ok);
    EXPECT_EQ(file.Tell(), c.position) << c.offset;
  }
  file.Seek(5, 2);
  EXPECT_TRUE(file.Eof());
  EXPECT_EQ(file.Error(), 1);
  EXPECT_EQ(file.GetC(), -1);
}

TEST(DibMemFile, CharactersAndLines) {
  BYTE text[] = {'a', 'b', '\n', 'c'};
  CDibMemFile file(text, 4);
  char line[8];
  EXPECT_EQ(file.GetS(line, 8), line);
  EXPECT_STREQ(line, "ab\n");
  EXPECT_EQ(file.GetS(line, 1), line);
  EXPECT_STREQ(line, "");
  EXPECT_EQ(file.GetC(), 'c');
  EXPECT_EQ(file.GetS(line, 8), nullptr);
  EXPECT_EQ(file.Scanf("%d", nullptr), 0);
}

TEST(DibMemFile, WithoutBufferEverythingFails) {
  CDibMemFile file(nullptr, 0);
  BYTE b = 1;
  EXPECT_EQ(file.Tell(), -1);
  EXPECT_EQ(file.Size(), -1);
  EXPECT_FALSE(file.Seek(0, 0));
  EXPECT_FALSE(file.Flush());
  EXPECT_TRUE(file.Eof());
  EXPECT_EQ(file.Error(), -1);
  EXPECT_EQ(file.Write(&b, 1, 1), 0u);
  EXPECT_FALSE(file.PutC(1));
  EXPECT_TRUE(file.Close());
}

TEST(DibMemFile, WritesStayInsideTheCallersBlock) {
  BYTE data[4] = {0, 0, 0, 0};
  CDibMemFile file(data, 4);
  BYTE two[2] = {7, 8};
  EXPECT_EQ(file.Write(two, 2, 1), 1u);
  EXPECT_EQ(data[0], 7);
  EXPECT_TRUE(file.PutC(9));
  EXPECT_TRUE(file.PutC(9));
  EXPECT_FALSE(file.PutC(9));             // the caller's memory is never reallocated
  EXPECT_EQ(file.Write(two, 1, 2), 0u);
  EXPECT_EQ(file.GetBuffer(), data);
  EXPECT_EQ(file.Size(), 4);
}

}  // namespace
