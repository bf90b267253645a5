// The drop target's switches as the layout stores them.
#include "drop/drop_target.h"

namespace {

constexpr uint32_t kSettingsWords = 5;
constexpr uint32_t kSettingsVersion = 1;

// The record is little-endian whatever the machine, so it is read byte by byte.
int32_t ReadWord(const unsigned char* record, uint32_t index) {
  const unsigned char* word = record + index * 4;
  const uint32_t value = uint32_t{word[0]} | uint32_t{word[1]} << 8 | uint32_t{word[2]} << 16 |
                         uint32_t{word[3]} << 24;
  return static_cast<int32_t>(value);
}

}  // namespace

bool ReadDropTargetSettings(const unsigned char* record, uint32_t size, DropTargetSettings* out) {
  *out = DropTargetSettings{};
  if (record == nullptr || size < kSettingsWords * 4) return false;
  // A record written by a later layout may mean something else by the same words.
  if (static_cast<uint32_t>(ReadWord(record, 0)) != kSettingsVersion) return false;
  out->acceptText = ReadWord(record, 1);
  out->acceptHtml = ReadWord(record, 2);
  out->acceptUrl = ReadWord(record, 3);
  out->acceptFiles = ReadWord(record, 4);
  return true;
}
