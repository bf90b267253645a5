// The one-block layout of a text array: dimension count, dimension sizes, element slots.
#include "text/text_array.h"

#include <cstring>

#include "system/allocator.h"

namespace {

// The header of every array the system builds: one dimension.
constexpr int64_t kHeaderSize = 2 * sizeof(int32_t);

// Header fields and slots are read and written bytewise: the block is plain bytes and the slots
// of an array with another dimension count need not be aligned for a pointer.
int32_t ReadInt32(const unsigned char* at) {
  int32_t value;
  std::memcpy(&value, at, sizeof(value));
  return value;
}

void WriteInt32(unsigned char* at, int32_t value) {
  std::memcpy(at, &value, sizeof(value));
}

int32_t DimensionCount(const void* block) {
  return block != nullptr ? ReadInt32(static_cast<const unsigned char*>(block)) : 0;
}

const unsigned char* Slots(const void* block) {
  return static_cast<const unsigned char*>(block) + sizeof(int32_t) +
         sizeof(int32_t) * static_cast<size_t>(DimensionCount(block));
}

char* SlotAt(const void* block, int32_t offset) {
  char* element;
  std::memcpy(&element, Slots(block) + sizeof(char*) * static_cast<size_t>(offset),
              sizeof(element));
  return element;
}

int32_t CountOf(const void* block) {
  int32_t dimensions = DimensionCount(block);
  if (dimensions == 0) return 0;
  const unsigned char* sizes = static_cast<const unsigned char*>(block) + sizeof(int32_t);
  int32_t count = 1;
  for (int32_t i = 0; i < dimensions; ++i) count *= ReadInt32(sizes + sizeof(int32_t) * i);
  return count;
}

void* NewArrayBlock(char* const* elements, int32_t count) {
  int64_t slotBytes = static_cast<int64_t>(sizeof(char*)) * count;
  auto* block = static_cast<unsigned char*>(AllocateBlock(kHeaderSize + slotBytes));
  WriteInt32(block, 1);
  WriteInt32(block + sizeof(int32_t), count);
  if (count > 0) std::memcpy(block + kHeaderSize, elements, static_cast<size_t>(slotBytes));
  return block;
}

}  // namespace

TextArray::TextArray() : block_(NewArrayBlock(nullptr, 0)) {}

TextArray& TextArray::operator=(TextArray&& other) noexcept {
  if (this != &other) {
    Reset();
    block_ = other.block_;
    other.block_ = nullptr;
  }
  return *this;
}

TextArray TextArray::FromBlocks(char* const* elements, int32_t count) {
  return TextArray(NewArrayBlock(elements, count));
}

void TextArray::Reset() {
  if (block_ == nullptr) return;
  // The elements go first, in index order, and the block that lists them last.
  int32_t count = CountOf(block_);
  for (int32_t i = 0; i < count; ++i) ReleaseBlock(SlotAt(block_, i));
  ReleaseBlock(block_);
  block_ = nullptr;
}

int32_t ElementCount(const TextArray& array) {
  return CountOf(array.Block());
}

TextView ElementAt(const TextArray& array, int32_t index) {
  return TextView(SlotAt(array.Block(), index - 1));
}
