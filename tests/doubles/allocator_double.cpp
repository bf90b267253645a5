// The host allocator: the C heap, so that LeakSanitizer sees every block left behind, with a
// count of live blocks and the controls of allocator_control.h.
#include <cstdlib>
#include <limits>

#include "allocator_control.h"
#include "system/allocator.h"
#include "system/runtime_error.h"

namespace {

int32_t g_liveBlocks = 0;
int32_t g_allocationsUntilRefusal = 0;
bool g_logging = false;
std::vector<BlockEvent> g_log;

int32_t ClampToInt32(int64_t size) {
  if (size > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (size < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(size);
}

}  // namespace

void PrepareAllocator() {}

void* AllocateBlock(int64_t size) {
  if (size < 0 || size > std::numeric_limits<int32_t>::max()) {
    ReportAllocationFailure(ClampToInt32(size));
  }
  if (g_allocationsUntilRefusal > 0 && --g_allocationsUntilRefusal == 0) {
    ReportAllocationFailure(static_cast<int32_t>(size));
  }
  // A block of no bytes still has to be a distinct block the owner can release.
  void* block = std::malloc(size > 0 ? static_cast<size_t>(size) : 1);
  if (block == nullptr) ReportAllocationFailure(static_cast<int32_t>(size));
  ++g_liveBlocks;
  if (g_logging) g_log.push_back({BlockEvent::kAllocated, block, size});
  return block;
}

void ReleaseBlock(void* block) {
  if (block == nullptr) return;
  --g_liveBlocks;
  if (g_logging) g_log.push_back({BlockEvent::kReleased, block, 0});
  std::free(block);
}

int32_t LiveBlockCount() {
  return g_liveBlocks;
}

void RefuseAllocation(int32_t count) {
  g_allocationsUntilRefusal = count;
}

void StartBlockLog() {
  g_log.clear();
  g_logging = true;
}

std::vector<BlockEvent> TakeBlockLog() {
  g_logging = false;
  std::vector<BlockEvent> log;
  log.swap(g_log);
  return log;
}
