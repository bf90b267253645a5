// Private to the text services: a list that grows while a result is gathered. The first items
// live in the list itself, so the common short cases take no block at all; a longer list moves
// to blocks from the allocator, doubling each time. It never becomes part of a result.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "system/allocator.h"

template <typename Item, int32_t kInlineCount>
class ScratchList {
  static_assert(std::is_trivially_copyable_v<Item>, "items are moved bytewise");

 public:
  ScratchList() = default;
  ~ScratchList() {
    if (items_ != inline_) ReleaseBlock(items_);
  }
  ScratchList(const ScratchList&) = delete;
  ScratchList& operator=(const ScratchList&) = delete;

  void Append(Item item) {
    if (count_ == capacity_) Grow();
    items_[count_++] = item;
  }
  int32_t Count() const { return count_; }
  const Item* Items() const { return items_; }
  Item* Items() { return items_; }

 private:
  void Grow() {
    int64_t capacity = capacity_ * 2;
    auto* items = static_cast<Item*>(AllocateBlock(capacity * static_cast<int64_t>(sizeof(Item))));
    std::memcpy(items, items_, sizeof(Item) * static_cast<size_t>(count_));
    if (items_ != inline_) ReleaseBlock(items_);
    items_ = items;
    capacity_ = capacity;
  }

  Item inline_[kInlineCount];
  Item* items_ = inline_;
  int32_t count_ = 0;
  int64_t capacity_ = kInlineCount;
};
