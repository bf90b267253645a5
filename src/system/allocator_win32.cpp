// Blocks from the process heap, counted so that tests can see every block come back.
#include <windows.h>

#include <cstdint>
#include <limits>

#include "system/allocator.h"
#include "system/runtime_error.h"

namespace {

HANDLE g_heap = nullptr;
int32_t g_liveBlocks = 0;

// A test program may allocate before the start-up sequence has run: the heap is then taken on
// first use instead of handing HeapAlloc a null heap.
HANDLE Heap() {
  if (g_heap == nullptr) g_heap = GetProcessHeap();
  return g_heap;
}

// The count the report shows for a size no 32-bit count can hold.
int32_t ClampToInt32(int64_t size) {
  if (size > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (size < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(size);
}

}  // namespace

void PrepareAllocator() {
  g_heap = GetProcessHeap();
}

void* AllocateBlock(int64_t size) {
  if (size < 0 || size > std::numeric_limits<int32_t>::max()) {
    ReportAllocationFailure(ClampToInt32(size));
  }
  void* block = HeapAlloc(Heap(), 0, static_cast<SIZE_T>(size));
  if (block == nullptr) ReportAllocationFailure(static_cast<int32_t>(size));
  ++g_liveBlocks;
  return block;
}

void ReleaseBlock(void* block) {
  if (block == nullptr) return;
  --g_liveBlocks;
  HeapFree(Heap(), 0, block);
}

int32_t LiveBlockCount() {
  return g_liveBlocks;
}
