// Owned texts: length, joining, decimal forms and copies.
#include "text/text.h"

#include <cstring>

#include "system/allocator.h"
#include "text/text_block.h"

char* NewTextBlock(const char* bytes, int64_t length) {
  char* block = static_cast<char*>(AllocateBlock(length + 1));
  std::memcpy(block, bytes, static_cast<size_t>(length));
  block[length] = '\0';
  return block;
}

namespace {

// The decimal form of a magnitude, written backwards from `end`; returns the first digit.
char* WriteDigits(uint64_t magnitude, char* end) {
  char* first = end;
  do {
    *--first = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  return first;
}

Text DecimalText(bool negative, uint64_t magnitude) {
  char digits[24];
  char* end = digits + sizeof(digits);
  char* first = WriteDigits(magnitude, end);
  if (negative) *--first = '-';
  return Text::Adopt(NewTextBlock(first, end - first));
}

Text SignedDecimalText(int64_t value) {
  // The magnitude is taken in unsigned arithmetic so that the most negative value has one too.
  uint64_t magnitude =
      value < 0 ? uint64_t{0} - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  return DecimalText(value < 0, magnitude);
}

}  // namespace

Text& Text::operator=(Text&& other) noexcept {
  if (this != &other) {
    Reset();
    block_ = other.block_;
    other.block_ = nullptr;
  }
  return *this;
}

Text Text::Adopt(char* block) {
  return Text(block);
}

char* Text::Release() {
  char* block = block_;
  block_ = nullptr;
  return block;
}

void Text::Reset() {
  ReleaseBlock(block_);
  block_ = nullptr;
}

int32_t TextLength(TextView text) {
  if (text.bytes == nullptr) return 0;
  return static_cast<int32_t>(std::strlen(text.bytes));
}

Text ConcatText(std::initializer_list<TextView> parts) {
  // Measured once, kept for the copy; the handlers join two or three parts, longer lists measure
  // again rather than take a block for the lengths.
  constexpr size_t kKeptLengths = 8;
  size_t lengths[kKeptLengths];
  int64_t total = 0;
  size_t index = 0;
  for (TextView part : parts) {
    size_t length = std::strlen(part.Bytes());
    if (index < kKeptLengths) lengths[index] = length;
    ++index;
    // Summed in 64 bits: a total beyond what a 32-bit count holds reaches the allocator intact,
    // which refuses it, instead of wrapping round to a small block.
    total += static_cast<int64_t>(length);
  }
  char* block = static_cast<char*>(AllocateBlock(total + 1));
  char* out = block;
  index = 0;
  for (TextView part : parts) {
    size_t length = index < kKeptLengths ? lengths[index] : std::strlen(part.Bytes());
    ++index;
    std::memcpy(out, part.Bytes(), length);
    out += length;
  }
  *out = '\0';
  return Text::Adopt(block);
}

Text ToText(int32_t value) {
  return SignedDecimalText(value);
}
Text ToText(int64_t value) {
  return SignedDecimalText(value);
}
Text ToText(int16_t value) {
  return SignedDecimalText(value);
}
Text ToText(uint8_t value) {
  return DecimalText(false, value);
}

Text CopyText(TextView text) {
  if (text.bytes == nullptr || text.bytes[0] == '\0') return Text();
  return Text::Adopt(NewTextBlock(text.bytes, static_cast<int64_t>(std::strlen(text.bytes))));
}
