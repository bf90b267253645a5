// The allocator hands out exact blocks of the process heap and counts them back in. Its refusals
// end the process and are tested through the probe program.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <set>
#include <vector>

#include "system/allocator.h"

namespace {

TEST(AllocatorTest, BlocksComeFromTheProcessHeapAtTheirExactSize) {
  PrepareAllocator();
  const int32_t live = LiveBlockCount();
  const int64_t sizes[] = {0, 1, 17, 4096, 1 << 20};
  std::vector<void*> blocks;
  for (int64_t size : sizes) {
    void* block = AllocateBlock(size);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(HeapSize(GetProcessHeap(), 0, block), static_cast<SIZE_T>(size)) << size;
    std::memset(block, 0xAB, static_cast<size_t>(size));
    blocks.push_back(block);
  }
  EXPECT_EQ(std::set<void*>(blocks.begin(), blocks.end()).size(), blocks.size());
  EXPECT_EQ(LiveBlockCount(), live + 5);
  ReleaseBlock(nullptr);
  EXPECT_EQ(LiveBlockCount(), live + 5);
  for (void* block : blocks) ReleaseBlock(block);
  EXPECT_EQ(LiveBlockCount(), live);
}

}  // namespace
