// Blocks for texts and text arrays. On Windows they come from the process heap.
#pragma once

#include <cstdint>

// Takes the process heap; called once at start-up, before any block is allocated.
void PrepareAllocator();

// A block of exactly `size` bytes. Never returns null: a refused request ends the program through
// ReportAllocationFailure. A size beyond what a 32-bit count can hold is refused.
void* AllocateBlock(int64_t size);

// Releases a block from AllocateBlock; null does nothing.
void ReleaseBlock(void* block);

// Blocks allocated and not yet released, for tests that check nothing is left behind.
int32_t LiveBlockCount();
