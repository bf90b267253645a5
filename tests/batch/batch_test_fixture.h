// What the batch tests share: fresh doubles for every test, a check that every block came back,
// and descriptions that show code page 936 bytes in hex.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "doubles/platform_doubles.h"
#include "system/allocator.h"
#include "text/text_description.h"
#include "ui/units.h"

class BatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPlatformDoubles();
    liveAtStart_ = LiveBlockCount();
  }
  void TearDown() override {
    EXPECT_EQ(LiveBlockCount(), liveAtStart_) << "blocks left behind";
    ResetPlatformDoubles();
  }

  static void SetSettings(const std::string& find, const std::string& replacement,
                          const std::string& outputDirectory) {
    SetBoxContent(编辑框1, find);
    SetBoxContent(编辑框3, replacement);
    SetBoxContent(编辑框2, outputDirectory);
  }

 private:
  int32_t liveAtStart_ = 0;
};

inline std::string DescribeCopies(const std::vector<CopyAttempt>& copies) {
  std::string description;
  for (const CopyAttempt& copy : copies) {
    description += "[" + HexBytes(copy.source) + "] to [" + HexBytes(copy.destination) + "]\n";
  }
  return description;
}

// Lines of hex, one per box, so that a mismatch shows which box and which byte.
inline std::string DescribeBoxes(const std::vector<ShownMessageBox>& boxes) {
  std::string description;
  for (const ShownMessageBox& box : boxes) {
    description += "[" + HexBytes(box.message) + "] buttons " + std::to_string(box.buttons) +
                   " caption [" + HexBytes(box.caption) + "]" +
                   (box.captionLeftOut ? " (left out)" : "") + "\n";
  }
  return description;
}

// A copy script that fails every copy from `source` with `reason` and lets the others succeed.
inline CopyScript FailCopiesFrom(std::vector<std::string> sources, std::string reason) {
  return [sources, reason](const CopyAttempt& attempt) -> std::optional<std::string> {
    for (const std::string& source : sources) {
      if (attempt.source == source) return reason;
    }
    return std::nullopt;
  };
}
