// What the host's fatal report writes to stderr for a given report text, as a death-test
// pattern: the exact bytes in hex, so that nothing may be missing, added or changed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

inline std::string FatalReportPattern(int32_t code, const std::string& reportBytes) {
  std::string pattern = "RUNTIME ERROR code=" + std::to_string(code) + " report-hex=";
  for (unsigned char byte : reportBytes) {
    char pair[3];
    std::snprintf(pair, sizeof(pair), "%02x", byte);
    pattern += pair;
  }
  return pattern + "\n";
}

// The report of a refused block of `byteCount` bytes: no code line, then the message line.
inline std::string AllocationFailurePattern(int64_t byteCount) {
  return FatalReportPattern(
      0, "运行时出错!\r\n\r\n错误信息：分配 " + std::to_string(byteCount) + " 字节内存失败!\r\n");
}
