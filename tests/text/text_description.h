// How the text tests show texts and arrays: "no text", or the bytes in hex, so that a mismatch in
// code page 936 reads the same in any terminal and an empty owned text is told from no text.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "support/hex_bytes.h"
#include "text/text.h"
#include "text/text_array.h"

// nullptr stands for no text.
inline std::string DescribeText(const char* bytesOrNull) {
  if (bytesOrNull == nullptr) return "no text";
  return "[" + HexBytes(bytesOrNull) + "]";
}

inline std::string DescribeText(const Text& text) {
  return DescribeText(text.Block());
}

inline std::string DescribeTexts(const std::vector<const char*>& texts) {
  std::string description = "{";
  for (size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) description += ", ";
    description += DescribeText(texts[i]);
  }
  return description + "}";
}

inline std::string DescribeArray(const TextArray& array) {
  std::vector<const char*> elements;
  for (int32_t i = 1; i <= ElementCount(array); ++i) elements.push_back(ElementAt(array, i).bytes);
  return DescribeTexts(elements);
}
