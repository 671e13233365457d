#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "gravik_objects.h"
#include "kernel/binary_buffer.h"

namespace {

TEST(BinaryBuffer, AllocSequencesTable) {
  struct Step {
    unsigned request;
    bool expectNull;
    bool expectSameBlock;  // as the step before
    unsigned sizeAfter;
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
  } cases[] = {
      {"zero on a new buffer", {{0, true, false, 0}}},
      {"larger then smaller keeps the larger", {{100, false, false, 100}, {10, false, true, 100}}},
      {"equal size keeps the block", {{64, false, false, 64}, {64, false, true, 64}}},
      {"growth replaces the block", {{10, false, false, 10}, {20, false, false, 20}}},
      {"zero after an allocation gives the block", {{8, false, false, 8}, {0, false, true, 8}}},
  };
  for (const Case& c : cases) {
    auto buffer = MakeGravik<IBinaryBuffer>(u"CBinaryBuffer");
    ASSERT_TRUE(buffer);
    EXPECT_EQ(buffer->GetBuffer(), nullptr);
    char* previous = nullptr;
    for (const Step& step : c.steps) {
      char* block = buffer->Alloc(step.request);
      EXPECT_EQ(block == nullptr, step.expectNull) << c.name;
      if (step.expectSameBlock) {
        EXPECT_EQ(block, previous) << c.name;
      }
      EXPECT_EQ(buffer->GetSize(), step.sizeAfter) << c.name;
      EXPECT_EQ(buffer->GetBuffer(), block) << c.name;
      if (block) {
        EXPECT_EQ(block[buffer->GetSize()], 0) << c.name;
        EXPECT_EQ(block[buffer->GetSize() + 1], 0) << c.name;
      }
      previous = block;
    }
  }
}

TEST(BinaryBuffer, ContentsSurviveASmallerRequestButNotGrowth) {
  auto buffer = MakeGravik<IBinaryBuffer>(u"CBinaryBuffer");
  char* block = buffer->Alloc(10);
  std::memcpy(block, "0123456789", 10);
  EXPECT_EQ(std::memcmp(buffer->Alloc(5), "0123456789", 10), 0);
  char* grown = buffer->Alloc(20);
  ASSERT_NE(grown, nullptr);
  EXPECT_EQ(grown[20], 0);
  EXPECT_EQ(grown[21], 0);
}

}  // namespace
