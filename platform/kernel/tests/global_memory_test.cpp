#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "win/com.h"
#include "win/global_memory.h"
#include "win/last_error.h"

namespace {

TEST(GlobalMemory, FixedAndMovableBlocksTable) {
  struct Case {
    UINT flags;
    bool handleIsMemory;
  } cases[] = {{GMEM_FIXED, true}, {GPTR, true}, {GMEM_MOVEABLE, false}, {GHND, false}};
  for (const Case& c : cases) {
    HGLOBAL block = GlobalAlloc(c.flags, 100);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), 100u);
    auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(bytes == block, c.handleIsMemory) << "flags " << c.flags;
    EXPECT_EQ(GlobalHandle(bytes), block);
    if (c.flags & GMEM_ZEROINIT) {
      for (int i = 0; i < 100; ++i) ASSERT_EQ(bytes[i], 0);
    }
    std::memset(bytes, 0xAB, 100);
    GlobalUnlock(block);
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(GlobalSize(block), 0u) << "a freed handle is refused";
    EXPECT_EQ(GlobalFree(block), block);
  }
}

TEST(GlobalMemory, LockCountsOfAMovableBlock) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 8);
  void* first = GlobalLock(block);
  EXPECT_EQ(GlobalLock(block), first);
  EXPECT_TRUE(GlobalUnlock(block));
  EXPECT_FALSE(GlobalUnlock(block));
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  GlobalFree(block);
  EXPECT_FALSE(GlobalUnlock(block));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(GlobalMemory, ReAllocKeepsContentsAndZeroesTheGrowth) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
  std::memcpy(GlobalLock(block), "abcd", 4);
  GlobalUnlock(block);
  EXPECT_EQ(GlobalReAlloc(block, 1 << 20, GMEM_MOVEABLE | GMEM_ZEROINIT), block);
  auto* bytes = static_cast<char*>(GlobalLock(block));
  EXPECT_EQ(std::memcmp(bytes, "abcd", 4), 0);
  EXPECT_EQ(bytes[(1 << 20) - 1], 0);
  GlobalUnlock(block);
  EXPECT_EQ(GlobalSize(block), 1u << 20);
  GlobalFree(block);
  EXPECT_EQ(GlobalReAlloc(block, 8, 0), nullptr);
}

TEST(GlobalMemory, EmptyMovableBlockLocksToNull) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 0);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(GlobalLock(block), nullptr);
  EXPECT_EQ(GlobalSize(block), 0u);
  EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(TaskMemory, AllocReallocFree) {
  auto* text = static_cast<char*>(CoTaskMemAlloc(6));
  ASSERT_NE(text, nullptr);
  std::memcpy(text, "hello", 6);
  text = static_cast<char*>(CoTaskMemRealloc(text, 4096));
  EXPECT_STREQ(text, "hello");
  CoTaskMemFree(text);
  CoTaskMemFree(nullptr);
}

TEST(Apartments, NestingAndModeChanges) {
  std::thread([] {
    EXPECT_FALSE(quorla::IsComInitialized());
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
    CoUninitialize();
    EXPECT_TRUE(quorla::IsComInitialized());
    CoUninitialize();
    EXPECT_FALSE(quorla::IsComInitialized());
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    CoUninitialize();
  }).join();
}

}  // namespace
