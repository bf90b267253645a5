// Texts in failure messages: code page 936 bytes read the same in any terminal when shown in hex.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

inline std::string HexBytes(std::string_view bytes) {
  std::string hex;
  for (unsigned char byte : bytes) {
    char pair[4];
    std::snprintf(pair, sizeof(pair), "%02x", byte);
    if (!hex.empty()) hex += ' ';
    hex += pair;
  }
  return hex;
}
