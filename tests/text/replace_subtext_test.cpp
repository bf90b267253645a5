// ReplaceSubtext: matches only at character starts, the A-Z fold, start position and limit, no
// overlap, no second search of the replacement, and a result of exact size.
#include "text/replace_subtext.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "doubles/allocator_control.h"
#include "system/allocator.h"
#include "text/fatal_report_pattern.h"
#include "text/text_description.h"

namespace {

constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();
constexpr bool kIgnoreCase = false;
constexpr bool kMatchCase = true;

struct ReplaceCase {
  const char* text;  // nullptr: no text
  const char* find;
  const char* replacement;
  int32_t startPosition;
  int32_t maxReplacements;
  bool caseSensitive;
  const char* result;  // nullptr: no text
};

std::string Describe(const ReplaceCase& c) {
  return "text " + DescribeText(c.text) + ", find " + DescribeText(c.find) + ", replacement " +
         DescribeText(c.replacement) + ", startPosition " + std::to_string(c.startPosition) +
         ", maxReplacements " + std::to_string(c.maxReplacements) +
         (c.caseSensitive ? ", case sensitive" : ", case ignored");
}

void PrintTo(const ReplaceCase& c, std::ostream* out) {
  *out << Describe(c);
}

// Rows are named by their place in the table; a failure prints the row in full.
std::string CaseName(const ::testing::TestParamInfo<ReplaceCase>& info) {
  return "Row" + std::to_string(info.index);
}

class ReplaceSubtextTest : public ::testing::TestWithParam<ReplaceCase> {
 protected:
  void SetUp() override { liveAtStart_ = LiveBlockCount(); }
  void TearDown() override { EXPECT_EQ(LiveBlockCount(), liveAtStart_) << "blocks left behind"; }

 private:
  int32_t liveAtStart_ = 0;
};

TEST_P(ReplaceSubtextTest, ReplacesTheMatchesLeftToRight) {
  const ReplaceCase& c = GetParam();
  SCOPED_TRACE(Describe(c));
  StartBlockLog();
  Text result = ReplaceSubtext(c.text, c.find, c.replacement, c.startPosition, c.maxReplacements,
                               c.caseSensitive);
  std::vector<BlockEvent> log = TakeBlockLog();
  EXPECT_EQ(DescribeText(result), DescribeText(c.result));
  // A result is a block of its own at its exact size; nothing else is kept.
  int32_t kept = 0;
  for (const BlockEvent& event : log) kept += event.kind == BlockEvent::kAllocated ? 1 : -1;
  EXPECT_EQ(kept, result.IsNone() ? 0 : 1);
  if (!result.IsNone()) {
    EXPECT_NE(result.Block(), c.text);
    for (const BlockEvent& event : log) {
      if (event.block == result.Block()) {
        EXPECT_EQ(event.size, TextLength(result) + 1);
      }
    }
  }
}

const ReplaceCase kEmptyInputs[] = {
    {"", "a", "b", 0, -1, kIgnoreCase, nullptr},
    {nullptr, "a", "b", 0, -1, kIgnoreCase, nullptr},
    {nullptr, nullptr, nullptr, 5, 0, kMatchCase, nullptr},
    {"abc", "", "x", 0, -1, kIgnoreCase, "abc"},
    {"abc", nullptr, "x", 0, -1, kMatchCase, "abc"},
    {"abc", "abcd", "x", 0, -1, kIgnoreCase, "abc"},
    {"abc", "x", "y", 0, -1, kIgnoreCase, "abc"},
};
INSTANTIATE_TEST_SUITE_P(EmptyInputs, ReplaceSubtextTest, ::testing::ValuesIn(kEmptyInputs),
                         CaseName);

const ReplaceCase kReplacing[] = {
    {"abcabc", "b", nullptr, 0, -1, kMatchCase, "acac"},
    {"abcabc", "b", "", 0, -1, kMatchCase, "acac"},
    {"abc", "ABC", "", 0, -1, kIgnoreCase, nullptr},
    {"aaa", "a", nullptr, 0, -1, kMatchCase, nullptr},
    {"Photo.JPG", "jpg", "png", 0, -1, kIgnoreCase, "Photo.png"},
    {"Photo.JPG", "jpg", "png", 0, -1, kMatchCase, "Photo.JPG"},
    {"AAA", "a", "b", 0, -1, kIgnoreCase, "bbb"},
    {"AAA", "a", "b", 0, -1, kMatchCase, "AAA"},
    {"aaa", "aa", "b", 0, -1, kMatchCase, "ba"},
    {"aaaa", "aa", "b", 0, -1, kMatchCase, "bb"},
    {"aa", "a", "aa", 0, -1, kMatchCase, "aaaa"},
    {"xAx", "a", "AAA", 0, -1, kIgnoreCase, "xAAAx"},
    {"报告.txt", ".TXT", "_\xB1\xA8.txt", 0, -1, kIgnoreCase, "报告_\xB1\xA8.txt"},
};
INSTANTIATE_TEST_SUITE_P(Replacing, ReplaceSubtextTest, ::testing::ValuesIn(kReplacing), CaseName);

const ReplaceCase kFolding[] = {
    // Only A-Z and a-z fold: the bytes next to them in the table do not.
    {"@[\\]^_`{|}~", "`{|}~", "x", 0, -1, kIgnoreCase, "@[\\]^_x"},
    {"@[\\]^_", "`{|}~", "x", 0, -1, kIgnoreCase, "@[\\]^_"},
    {"`{|}~", "@[\\]^", "x", 0, -1, kIgnoreCase, "`{|}~"},
    {"AZaz", "azAZ", "x", 0, -1, kIgnoreCase, "x"},
    // Bytes of 0x80 and above never fold, not even 0xC1 against 0xE1.
    {"\xA3\xC1", "\xA3\xE1", "x", 0, -1, kIgnoreCase, "\xA3\xC1"},
    // The second byte of a double-byte character folds like any other compared byte.
    {"\x81\x41", "\x81\x61", "z", 0, -1, kIgnoreCase, "z"},
    {"\x81\x41", "\x81\x61", "z", 0, -1, kMatchCase, "\x81\x41"},
};
INSTANTIATE_TEST_SUITE_P(CaseFolding, ReplaceSubtextTest, ::testing::ValuesIn(kFolding), CaseName);

const ReplaceCase kCharacterStarts[] = {
    {"\xB0\x61\x61", "a", "x", 0, -1, kMatchCase, "\xB0\x61x"},
    {"\xB0\x41", "a", "x", 0, -1, kIgnoreCase, "\xB0\x41"},
    {"\xD5\x5C.txt", "\\", "/", 0, -1, kMatchCase, "\xD5\x5C.txt"},
    {"\x81\x81\x81\x41\x41", "a", "x", 0, -1, kIgnoreCase, "\x81\x81\x81\x41x"},
    {"\x81\x81\x41\x41", "a", "x", 0, -1, kIgnoreCase, "\x81\x81xx"},
    // A lone lead byte at the end comes back, whatever the length of the search text.
    {"ab\xB0", "x", "y", 0, -1, kIgnoreCase, "ab\xB0"},
    {"ab\xB0", "xy", "z", 0, -1, kIgnoreCase, "ab\xB0"},
    {"ab\xB0", "xyz", "z", 0, -1, kIgnoreCase, "ab\xB0"},
    {"ab\xB0", "wxyz", "z", 0, -1, kIgnoreCase, "ab\xB0"},
    // It is compared before it would be stepped over, so a search text can end with it.
    {"ab\xB0", "\xB0", "Q", 0, -1, kMatchCase, "abQ"},
    {"ab\xB0", "B\xB0", "Q", 0, -1, kIgnoreCase, "aQ"},
    // A match consumes exactly its bytes: after a one-byte lead-byte match, the next byte starts.
    {"\xB0\x61\x61", "\xB0", "", 0, -1, kMatchCase, "aa"},
    {"\xB0\x61\x61", "\xB0", "-", 0, -1, kMatchCase, "-aa"},
    {"\xB0\xB0\x61", "\xB0\xB0", "", 0, -1, kMatchCase, "a"},
};
INSTANTIATE_TEST_SUITE_P(CharacterStarts, ReplaceSubtextTest, ::testing::ValuesIn(kCharacterStarts),
                         CaseName);

const ReplaceCase kStartAndLimit[] = {
    {"abab", "ab", "x", 0, -1, kMatchCase, "xx"},
    {"abab", "ab", "x", 1, -1, kMatchCase, "xx"},
    {"abab", "ab", "x", -5, -1, kMatchCase, "xx"},
    {"abab", "ab", "x", kIntMin, -1, kMatchCase, "xx"},
    {"abab", "ab", "x", 2, -1, kMatchCase, "abx"},
    {"abab", "ab", "x", 3, -1, kMatchCase, "abx"},
    {"abab", "ab", "x", 4, -1, kMatchCase, "abab"},
    {"abc", "c", "x", 3, -1, kMatchCase, "abx"},
    {"abc", "c", "x", 4, -1, kMatchCase, "abc"},
    {"abc", "c", "x", kIntMax, -1, kMatchCase, "abc"},
    {"\xB0\x61\x61", "a", "x", 1, -1, kMatchCase, "\xB0\x61x"},
    // Starting on the second byte of a double-byte character takes that byte as a start.
    {"\xB0\x61\x61", "a", "x", 2, -1, kMatchCase, "\xB0xx"},
    {"\xB0\x81\x61", "a", "x", 2, -1, kMatchCase, "\xB0\x81\x61"},
    {"\xB0\x81\x61\x61", "a", "x", 2, -1, kMatchCase, "\xB0\x81\x61x"},
    {"a-a-a", "a", "b", 0, 1, kMatchCase, "b-a-a"},
    {"a-a-a", "a", "b", 0, 2, kMatchCase, "b-b-a"},
    {"a-a-a", "a", "b", 0, 0, kMatchCase, "a-a-a"},
    {"a-a-a", "a", "b", 0, -1, kMatchCase, "b-b-b"},
    {"a-a-a", "a", "b", 0, -7, kMatchCase, "b-b-b"},
    {"a-a-a", "a", "b", 0, kIntMin, kMatchCase, "b-b-b"},
    {"a-a-a", "a", "b", 0, kIntMax, kMatchCase, "b-b-b"},
    {"a-a-a", "a", "b", 3, 1, kMatchCase, "a-b-a"},
    {"a-a-a", "a", "", 0, 3, kMatchCase, "--"},
};
INSTANTIATE_TEST_SUITE_P(StartPositionAndLimit, ReplaceSubtextTest,
                         ::testing::ValuesIn(kStartAndLimit), CaseName);

// Long enough to pass through the many-bytes-at-a-time search.
const ReplaceCase kLong[] = {
    {"IMG_0001.JPG IMG_0002.jpg \xD5\xD5\xC6\xAC.Jpg img.jpg.bak \x81jpg", ".jpg", ".png", 0, -1,
     kIgnoreCase, "IMG_0001.png IMG_0002.png \xD5\xD5\xC6\xAC.png img.png.bak \x81jpg"},
    {"\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x41\x41\x41",
     "AA", "-", 0, -1, kMatchCase,
     "\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x41-"},
    {"0123456789abcdeX0123456789abcdefX0123456789abcdefghijklmnX", "x", "", 0, -1, kIgnoreCase,
     "0123456789abcde0123456789abcdef0123456789abcdefghijklmn"},
};
INSTANTIATE_TEST_SUITE_P(LongTexts, ReplaceSubtextTest, ::testing::ValuesIn(kLong), CaseName);

class ReplaceSubtextBlocksTest : public ::testing::Test {
 protected:
  void SetUp() override { liveAtStart_ = LiveBlockCount(); }
  void TearDown() override { EXPECT_EQ(LiveBlockCount(), liveAtStart_) << "blocks left behind"; }

 private:
  int32_t liveAtStart_ = 0;
};

TEST_F(ReplaceSubtextBlocksTest, ManyMatchesStillGiveOneExactResult) {
  std::string text;
  std::string expected;
  for (int i = 0; i < 5000; ++i) {
    text += "\xCE\xC4\xBC\xFE-A.";
    expected += "\xCE\xC4\xBC\xFE-bb.";
  }
  StartBlockLog();
  Text result = ReplaceSubtext(text.c_str(), "a", "bb", 0, kNoReplacementLimit, kIgnoreCase);
  std::vector<BlockEvent> log = TakeBlockLog();
  EXPECT_EQ(std::string(result.Bytes()), expected);
  int32_t kept = 0;
  for (const BlockEvent& event : log) kept += event.kind == BlockEvent::kAllocated ? 1 : -1;
  EXPECT_EQ(kept, 1);
  ASSERT_FALSE(log.empty());
  for (const BlockEvent& event : log) {
    if (event.block == result.Block()) {
      EXPECT_EQ(event.size, int64_t(expected.size()) + 1);
    }
  }
}

using ReplaceSubtextDeathTest = ReplaceSubtextBlocksTest;

TEST_F(ReplaceSubtextDeathTest, ARefusedResultEndsTheProcessWithItsSize) {
  EXPECT_EXIT(
      {
        RefuseAllocation(1);
        ReplaceSubtext("Photo.JPG", "jpg", "jpeg", 0, -1, kIgnoreCase);
      },
      ::testing::ExitedWithCode(255), AllocationFailurePattern(11));
}

}  // namespace
