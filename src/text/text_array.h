// One-dimensional arrays of owned texts, numbered from 1.
#pragma once

#include <cstdint>

#include "text/text.h"

// One owned block: the dimension count (int32), the size of each dimension (int32 each), then one
// slot per element, each an owned text block or null for no text. The array owns its elements.
// A fresh TextArray holds an empty array of its own (one dimension of size 0, no slots). An
// array that takes a new value releases the old one first: elements in index order, then block.
class TextArray {
 public:
  TextArray();
  ~TextArray() { Reset(); }
  TextArray(TextArray&& other) noexcept : block_(other.block_) { other.block_ = nullptr; }
  TextArray& operator=(TextArray&& other) noexcept;
  TextArray(const TextArray&) = delete;
  TextArray& operator=(const TextArray&) = delete;

  // Builds a one-dimensional array of `count` slots from a list of owned text blocks (null for
  // no text), taking them over. The list itself stays the caller's.
  static TextArray FromBlocks(char* const* elements, int32_t count);

  const void* Block() const { return block_; }

 private:
  explicit TextArray(void* block) : block_(block) {}
  void Reset();
  void* block_ = nullptr;
};

// The product of the dimension sizes; 0 when the dimension count is 0.
int32_t ElementCount(const TextArray& array);

// Element `index` (1 to ElementCount), read in place; the array keeps it. Callers check the
// index with CheckElementIndex first.
TextView ElementAt(const TextArray& array, int32_t index);
