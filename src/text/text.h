// Owned byte strings in the ANSI code page, and the small services that go with them.
#pragma once

#include <cstdint>
#include <initializer_list>

class Text;

// A read-only look at a text. A null pointer is "no text", which every reader treats as "".
struct TextView {
  const char* bytes = nullptr;

  TextView() = default;
  TextView(const char* text) : bytes(text) {}  // NOLINT: literals and element slots read as views
  TextView(const Text& text);                  // NOLINT: an owned text reads as a view

  // The bytes with no text read as "", for handing on to the platform.
  const char* Bytes() const { return bytes != nullptr ? bytes : ""; }
};

// An owned text: no text, or one block from the system's allocator holding the bytes and a
// terminating zero. Moving hands the block over; a text that takes a new value releases the old
// block first.
class Text {
 public:
  Text() = default;
  ~Text() { Reset(); }
  Text(Text&& other) noexcept : block_(other.block_) { other.block_ = nullptr; }
  Text& operator=(Text&& other) noexcept;
  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;

  // Takes over a block from AllocateBlock that ends in a zero byte; null is no text.
  static Text Adopt(char* block);

  bool IsNone() const { return block_ == nullptr; }
  // The bytes; "" for no text.
  const char* Bytes() const { return block_ != nullptr ? block_ : ""; }
  // The block itself, or null for no text.
  const char* Block() const { return block_; }

  // Gives the block up to the caller, who must release it with ReleaseBlock.
  char* Release();
  void Reset();

 private:
  explicit Text(char* block) : block_(block) {}
  char* block_ = nullptr;
};

inline TextView::TextView(const Text& text) : bytes(text.Block()) {}

// Byte count before the terminator; 0 for no text.
int32_t TextLength(TextView text);

// The parts joined in order with nothing between them; always an owned text, empty when every
// part is empty.
Text ConcatText(std::initializer_list<TextView> parts);

// The decimal form: a leading "-" when negative, no leading zeros, no separators.
Text ToText(int32_t value);
Text ToText(int64_t value);
Text ToText(int16_t value);
Text ToText(uint8_t value);  // 8-bit values are written as unsigned.

// A copy of the bytes and the terminator; a copy of no text (or of "") is no text.
Text CopyText(TextView text);

// Character rule: a byte of 0x80 or above starts a two-byte character.
inline bool IsLeadByte(unsigned char byte) {
  return byte >= 0x80;
}
