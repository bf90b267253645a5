// Test controls of the host allocator: refusing a chosen allocation, and watching the blocks go
// out and come back in order.
#pragma once

#include <cstdint>
#include <vector>

// Makes the `count`-th allocation from now be refused as the heap would refuse it (1: the next
// one), which ends the process through ReportAllocationFailure. 0 refuses none.
void RefuseAllocation(int32_t count);

struct BlockEvent {
  enum Kind { kAllocated, kReleased };
  Kind kind;
  const void* block;
  int64_t size;  // of an allocation; 0 for a release
};

// Starts recording every allocation and every release of a block (not of null), in order.
void StartBlockLog();
// Stops recording and hands over what was recorded.
std::vector<BlockEvent> TakeBlockLog();
