// Private to the text services: the one way a text block is made.
#pragma once

#include <cstdint>

// A block from the allocator holding the `length` bytes at `bytes` and a terminator. The length
// is taken in 64 bits so that one the allocator cannot serve reaches it intact and is refused.
char* NewTextBlock(const char* bytes, int64_t length);
