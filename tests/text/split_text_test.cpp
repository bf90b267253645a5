// SplitText: cuts at character starts only, empty pieces as no text, the part limit, exact blocks.
#include "text/split_text.h"

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

constexpr int32_t kLeftOut = std::numeric_limits<int32_t>::min() + 1;  // marks a left-out argument
const char* const kDelimiterLeftOut = "<left out>";

struct SplitCase {
  const char* text;                 // nullptr: no text
  const char* delimiter;            // nullptr: no text; kDelimiterLeftOut: the one-argument form
  int32_t maxParts;                 // kLeftOut: the two-argument form
  std::vector<const char*> pieces;  // nullptr: an empty piece, which must be no text
};

TextArray Split(const SplitCase& c) {
  if (c.delimiter == kDelimiterLeftOut) return SplitText(c.text);
  if (c.maxParts == kLeftOut) return SplitText(c.text, c.delimiter);
  return SplitText(c.text, c.delimiter, c.maxParts);
}

std::string Describe(const SplitCase& c) {
  std::string delimiter = c.delimiter == kDelimiterLeftOut ? "left out" : DescribeText(c.delimiter);
  std::string maxParts = c.maxParts == kLeftOut ? "left out" : std::to_string(c.maxParts);
  return "text " + DescribeText(c.text) + ", delimiter " + delimiter + ", maxParts " + maxParts;
}

void PrintTo(const SplitCase& c, std::ostream* out) {
  *out << Describe(c);
}

// Rows are named by their place in the table; a failure prints the row in full.
std::string CaseName(const ::testing::TestParamInfo<SplitCase>& info) {
  return "Row" + std::to_string(info.index);
}

class SplitTextTest : public ::testing::TestWithParam<SplitCase> {
 protected:
  void SetUp() override { liveAtStart_ = LiveBlockCount(); }
  void TearDown() override { EXPECT_EQ(LiveBlockCount(), liveAtStart_) << "blocks left behind"; }

 private:
  int32_t liveAtStart_ = 0;
};

TEST_P(SplitTextTest, YieldsThePiecesBetweenTheDelimiters) {
  const SplitCase& c = GetParam();
  SCOPED_TRACE(Describe(c));
  TextArray pieces = Split(c);
  EXPECT_EQ(DescribeArray(pieces), DescribeTexts(c.pieces));
}

const SplitCase kNoCut[] = {
    {"", "\r\n", kLeftOut, {}},
    {nullptr, "\r\n", kLeftOut, {}},
    {nullptr, kDelimiterLeftOut, kLeftOut, {}},
    {"abc", "", kLeftOut, {"abc"}},
    {"abc", nullptr, kLeftOut, {"abc"}},
    {"a,b", "", 3, {"a,b"}},
    {"abc", "\r\n", kLeftOut, {"abc"}},
    {"abc", "abcd", kLeftOut, {"abc"}},
    {"abc", "abc", kLeftOut, {nullptr}},
};
INSTANTIATE_TEST_SUITE_P(NothingToCut, SplitTextTest, ::testing::ValuesIn(kNoCut), CaseName);

const SplitCase kCuts[] = {
    {"a\r\n\r\nb", "\r\n", kLeftOut, {"a", nullptr, "b"}},
    {"a\r\nb\r\n", "\r\n", kLeftOut, {"a", "b"}},
    {"\r\na", "\r\n", kLeftOut, {nullptr, "a"}},
    {"\r\n", "\r\n", kLeftOut, {nullptr}},
    {"\\\\", "\\", kLeftOut, {nullptr, nullptr}},
    {"C:\\dir\\file.txt", "\\", kLeftOut, {"C:", "dir", "file.txt"}},
    {"C:\\用户\\资料\\文件1.txt", "\\", kLeftOut, {"C:", "用户", "资料", "文件1.txt"}},
    {"a,b", kDelimiterLeftOut, kLeftOut, {"a", "b"}},
    {"a\r\nb", kDelimiterLeftOut, kLeftOut, {"a\r\nb"}},
    // After a match the scan goes on behind it: "aaa" holds one "aa", not two.
    {"aaa", "aa", kLeftOut, {nullptr, "a"}},
    {"aaaa", "aa", kLeftOut, {nullptr, nullptr}},
    // The delimiter is matched with letter case significant.
    {"xAy", "a", kLeftOut, {"xAy"}},
};
INSTANTIATE_TEST_SUITE_P(Cuts, SplitTextTest, ::testing::ValuesIn(kCuts), CaseName);

const SplitCase kLimits[] = {
    {"a,b,c", ",", 2, {"a", "b"}},
    {"a,b,c", ",", 1, {"a"}},
    {"a,b,c", ",", 0, {}},
    {"a,b,c", ",", -1, {}},
    {"a,b,c", ",", std::numeric_limits<int32_t>::min(), {}},
    {"a,b", ",", 5, {"a", "b"}},
    {"a,b", ",", 2, {"a", "b"}},
    {"a,b", ",", std::numeric_limits<int32_t>::max(), {"a", "b"}},
    {",a", ",", 1, {nullptr}},
    {"abc", "", 0, {}},
    {"abc", "", 1, {"abc"}},
};
INSTANTIATE_TEST_SUITE_P(PartLimits, SplitTextTest, ::testing::ValuesIn(kLimits), CaseName);

const SplitCase kDoubleByte[] = {
    // A delimiter byte that is the second byte of a double-byte character does not cut.
    {"\xD5\x5C\x61", "\\", kLeftOut, {"\xD5\x5C\x61"}},
    {"C:\\\xD5\x5C\\x", "\\", kLeftOut, {"C:", "\xD5\x5C", "x"}},
    {"\x81\x41\x41", "A", kLeftOut, {"\x81\x41"}},
    {"\x81,,", ",", kLeftOut, {"\x81,"}},
    // A run of lead bytes pairs off from the last character start: odd run, no cut.
    {"\x81\x81\x81\\", "\\", kLeftOut, {"\x81\x81\x81\\"}},
    {"\x81\x81\\", "\\", kLeftOut, {"\x81\x81"}},
    {"a\\\x81\x81\x81\\\\b", "\\", kLeftOut, {"a", "\x81\x81\x81\\", "b"}},
    // A lone lead byte at the end stays in the last piece.
    {"ab\xB0", ",", kLeftOut, {"ab\xB0"}},
    {"ab\xB0", "b", kLeftOut, {"a", "\xB0"}},
    {"ab\xB0", "\xB0\xA1", kLeftOut, {"ab\xB0"}},
    // A one-byte delimiter of 0x80 or above is compared before the byte is stepped over.
    {"a\xB0", "\xB0", kLeftOut, {"a"}},
    {"\xB0\xB0", "\xB0", kLeftOut, {nullptr, nullptr}},
    {"\xB0\x61\xB0", "\xB0", kLeftOut, {nullptr, "a"}},
    // A double-byte delimiter is found where that character stands whole.
    {"x\xB0\xA1y\xB0\xA1", "\xB0\xA1", kLeftOut, {"x", "y"}},
    {"\x81\xB0\xA1", "\xB0\xA1", kLeftOut, {"\x81\xB0\xA1"}},
    {"\x81\xB0\xA1\xB0\xA1z", "\xB0\xA1", kLeftOut, {"\x81\xB0\xA1\xB0\xA1z"}},
    {"\x81\xB0\xA1-\xB0\xA1z", "\xB0\xA1", kLeftOut, {"\x81\xB0\xA1-", "z"}},
};
INSTANTIATE_TEST_SUITE_P(DoubleByteCharacters, SplitTextTest, ::testing::ValuesIn(kDoubleByte),
                         CaseName);

// Long enough to pass through the many-bytes-at-a-time search, with cuts on either side of each
// 16-byte and 8-byte boundary, and a trail byte equal to the delimiter's first byte.
const SplitCase kLong[] = {
    {"C:\\Users\\demo\\Documents\\\xCF\xEE\xC4\xBF\\report-2024.txt\r\n"
     "D:\\\xD5\x5C\\\xD5\xD5\xC6\xAC\\IMG_0001.JPG\r\n"
     "E:\\a\r\n\r\n"
     "\xB0\r\n\r\n",
     "\r\n",
     kLeftOut,
     {"C:\\Users\\demo\\Documents\\\xCF\xEE\xC4\xBF\\report-2024.txt",
      "D:\\\xD5\x5C\\\xD5\xD5\xC6\xAC\\IMG_0001.JPG", "E:\\a", nullptr, "\xB0\r\n"}},
    {"\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\\x\\",
     "\\",
     kLeftOut,
     {"\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\x81\\x"}},
    {"0123456789abcde,0123456,89abcdef,",
     ",",
     kLeftOut,
     {"0123456789abcde", "0123456", "89abcdef"}},
};
INSTANTIATE_TEST_SUITE_P(LongTexts, SplitTextTest, ::testing::ValuesIn(kLong), CaseName);

class SplitTextBlocksTest : public ::testing::Test {
 protected:
  void SetUp() override { liveAtStart_ = LiveBlockCount(); }
  void TearDown() override { EXPECT_EQ(LiveBlockCount(), liveAtStart_) << "blocks left behind"; }

 private:
  int32_t liveAtStart_ = 0;
};

TEST_F(SplitTextBlocksTest, PiecesFirstThenOneArrayBlockAllAtExactSizes) {
  StartBlockLog();
  TextArray pieces = SplitText("a,bb,,ccc,", ",");
  std::vector<BlockEvent> log = TakeBlockLog();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0].size, 2);
  EXPECT_EQ(log[1].size, 3);
  EXPECT_EQ(log[2].size, 4);
  EXPECT_EQ(log[3].size, 2 * int64_t{sizeof(int32_t)} + 4 * int64_t{sizeof(char*)});
  for (const BlockEvent& event : log) EXPECT_EQ(event.kind, BlockEvent::kAllocated);
  EXPECT_EQ(pieces.Block(), log[3].block);
  EXPECT_EQ(ElementAt(pieces, 1).bytes, log[0].block);
  EXPECT_EQ(ElementAt(pieces, 4).bytes, log[2].block);
}

TEST_F(SplitTextBlocksTest, ManyPiecesStillGiveAnExactArray) {
  std::string text;
  for (int i = 0; i < 1000; ++i) text += "C:\\\xCE\xC4\xBC\xFE" + std::to_string(i) + ".txt\r\n";
  StartBlockLog();
  TextArray pieces = SplitText(text.c_str(), "\r\n");
  std::vector<BlockEvent> log = TakeBlockLog();
  ASSERT_EQ(ElementCount(pieces), 1000);
  EXPECT_EQ(DescribeText(ElementAt(pieces, 1000).bytes), DescribeText("C:\\\xCE\xC4\xBC\xFE"
                                                                      "999.txt"));
  // Whatever was taken to gather the pieces has been given back; what is left is the result.
  int32_t kept = 0;
  for (const BlockEvent& event : log) kept += event.kind == BlockEvent::kAllocated ? 1 : -1;
  EXPECT_EQ(kept, 1001);
  const BlockEvent* arrayBlock = nullptr;
  for (const BlockEvent& event : log) {
    if (event.block == pieces.Block() && event.kind == BlockEvent::kAllocated) arrayBlock = &event;
  }
  ASSERT_NE(arrayBlock, nullptr);
  EXPECT_EQ(arrayBlock->size, 2 * int64_t{sizeof(int32_t)} + 1000 * int64_t{sizeof(char*)});
}

using SplitTextDeathTest = SplitTextBlocksTest;

TEST_F(SplitTextDeathTest, ARefusedBlockEndsTheProcess) {
  EXPECT_EXIT(
      {
        RefuseAllocation(2);
        SplitText("ab,cde", ",");
      },
      ::testing::ExitedWithCode(255), AllocationFailurePattern(4));
  EXPECT_EXIT(
      {
        RefuseAllocation(3);
        SplitText("ab,cde", ",");
      },
      ::testing::ExitedWithCode(255),
      AllocationFailurePattern(2 * sizeof(int32_t) + 2 * sizeof(char*)));
}

}  // namespace
