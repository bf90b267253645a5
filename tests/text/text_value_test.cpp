// Texts and text arrays: lengths, joins, decimal forms, copies, ownership and exact block sizes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "doubles/allocator_control.h"
#include "system/allocator.h"
#include "text/fatal_report_pattern.h"
#include "text/text.h"
#include "text/text_array.h"
#include "text/text_description.h"

namespace {

// Every test must give back every block it was handed.
class TextValueTest : public ::testing::Test {
 protected:
  void SetUp() override { liveAtStart_ = LiveBlockCount(); }
  void TearDown() override { EXPECT_EQ(LiveBlockCount(), liveAtStart_) << "blocks left behind"; }

 private:
  int32_t liveAtStart_ = 0;
};

using TextLengthTest = TextValueTest;
using ConcatTextTest = TextValueTest;
using ToTextTest = TextValueTest;
using CopyTextTest = TextValueTest;
using TextOwnershipTest = TextValueTest;
using TextArrayTest = TextValueTest;

// One allocated block of the given size, and nothing released.
void ExpectSingleBlock(const std::vector<BlockEvent>& log, int64_t size) {
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].kind, BlockEvent::kAllocated);
  EXPECT_EQ(log[0].size, size);
}

TEST_F(TextLengthTest, CountsBytesNotCharacters) {
  struct Case {
    const char* text;
    int32_t length;
  } cases[] = {
      {nullptr, 0}, {"", 0}, {"\r\n", 2}, {"中文", 4}, {"\xD6\xD0\xCE", 3}, {"ab\xB0", 3},
  };
  for (const Case& c : cases) EXPECT_EQ(TextLength(c.text), c.length) << DescribeText(c.text);
}

TEST_F(ConcatTextTest, JoinsPartsBackToBackIntoOneExactBlock) {
  struct Case {
    std::vector<const char*> parts;  // at most three: the list is built below
    const char* joined;
  } cases[] = {
      {{"共收到:", "3", "个文件.开始么?"}, "共收到:3个文件.开始么?"},
      {{"a", nullptr, "b"}, "ab"},
      {{nullptr, "\xB0"}, "\xB0"},
      {{"old.txt", " -> ", "new.txt"}, "old.txt -> new.txt"},
      {{"C:\\run", "\\output"}, "C:\\run\\output"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(DescribeTexts(c.parts));
    StartBlockLog();
    Text joined = c.parts.size() == 2 ? ConcatText({c.parts[0], c.parts[1]})
                                      : ConcatText({c.parts[0], c.parts[1], c.parts[2]});
    std::vector<BlockEvent> log = TakeBlockLog();
    EXPECT_EQ(DescribeText(joined), DescribeText(c.joined));
    ExpectSingleBlock(log, TextLength(c.joined) + 1);
  }
}

TEST_F(ConcatTextTest, EmptyPartsGiveAnOwnedEmptyTextNotNoText) {
  Text joined[] = {ConcatText({"", ""}), ConcatText({nullptr, nullptr}), ConcatText({""})};
  for (const Text& text : joined) {
    ASSERT_FALSE(text.IsNone());
    EXPECT_EQ(DescribeText(text), "[]");
  }
}

TEST_F(ConcatTextTest, JoinsLongListsOfParts) {
  Text joined = ConcatText({"a", "bc", nullptr, "", "d", "ef", "g", "h", "ij", "k", nullptr, "lm"});
  EXPECT_EQ(DescribeText(joined), DescribeText("abcdefghijklm"));
}

TEST_F(ToTextTest, WritesDecimalFormsIntoExactBlocks) {
  struct Case {
    Text (*convert)();
    const char* expected;
  } cases[] = {
      {[] { return ToText(int32_t{0}); }, "0"},
      {[] { return ToText(int32_t{-1}); }, "-1"},
      {[] { return ToText(int32_t{12}); }, "12"},
      {[] { return ToText(int32_t{-7}); }, "-7"},
      {[] { return ToText(int32_t{1000}); }, "1000"},
      {[] { return ToText(std::numeric_limits<int32_t>::max()); }, "2147483647"},
      {[] { return ToText(std::numeric_limits<int32_t>::min()); }, "-2147483648"},
      {[] { return ToText(std::numeric_limits<int64_t>::max()); }, "9223372036854775807"},
      {[] { return ToText(std::numeric_limits<int64_t>::min()); }, "-9223372036854775808"},
      {[] { return ToText(int64_t{-10}); }, "-10"},
      {[] { return ToText(std::numeric_limits<int16_t>::min()); }, "-32768"},
      {[] { return ToText(std::numeric_limits<int16_t>::max()); }, "32767"},
      {[] { return ToText(uint8_t{255}); }, "255"},
      {[] { return ToText(uint8_t{0}); }, "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    StartBlockLog();
    Text text = c.convert();
    std::vector<BlockEvent> log = TakeBlockLog();
    EXPECT_EQ(DescribeText(text), DescribeText(c.expected));
    ExpectSingleBlock(log, TextLength(c.expected) + 1);
  }
}

TEST_F(CopyTextTest, CopiesIntoANewBlockAndEmptyBecomesNoText) {
  const char source[] = "a\xB0\xA1\\";
  Text copy = CopyText(source);
  EXPECT_EQ(DescribeText(copy), DescribeText(source));
  EXPECT_NE(copy.Block(), source);

  Text owned = CopyText(copy);
  EXPECT_NE(owned.Block(), copy.Block());
  EXPECT_EQ(DescribeText(owned), DescribeText(source));

  EXPECT_TRUE(CopyText("").IsNone());
  EXPECT_TRUE(CopyText(nullptr).IsNone());
  EXPECT_TRUE(CopyText(Text()).IsNone());
}

TEST_F(TextOwnershipTest, TakingANewValueReleasesTheOldBlock) {
  int32_t live = LiveBlockCount();
  Text text = ToText(int32_t{1});
  EXPECT_EQ(LiveBlockCount(), live + 1);
  text = ToText(int32_t{2});
  EXPECT_EQ(LiveBlockCount(), live + 1);
  EXPECT_EQ(DescribeText(text), DescribeText("2"));
  text = Text();
  EXPECT_EQ(LiveBlockCount(), live);
  EXPECT_TRUE(text.IsNone());
  EXPECT_STREQ(text.Bytes(), "");
  EXPECT_STREQ(TextView(text).Bytes(), "");

  Text moved = ToText(int32_t{3});
  Text target(std::move(moved));
  EXPECT_TRUE(moved.IsNone());  // NOLINT(bugprone-use-after-move): the block changed hands
  char* block = target.Release();
  EXPECT_TRUE(target.IsNone());
  EXPECT_EQ(LiveBlockCount(), live + 1);
  Text adopted = Text::Adopt(block);
  EXPECT_EQ(adopted.Block(), block);
}

// An array of the given elements (nullptr: no text), built as the services build them.
TextArray MakeArray(const std::vector<const char*>& elements) {
  std::vector<char*> blocks;
  for (const char* element : elements) blocks.push_back(CopyText(element).Release());
  return TextArray::FromBlocks(blocks.data(), static_cast<int32_t>(blocks.size()));
}

TEST_F(TextArrayTest, AFreshArrayIsEmptyAndOwnsOnlyItsHeader) {
  StartBlockLog();
  {
    TextArray array;
    EXPECT_EQ(ElementCount(array), 0);
  }
  std::vector<BlockEvent> log = TakeBlockLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].kind, BlockEvent::kAllocated);
  EXPECT_EQ(log[0].size, 2 * int64_t{sizeof(int32_t)});
  EXPECT_EQ(log[1].kind, BlockEvent::kReleased);
  EXPECT_EQ(log[1].block, log[0].block);
}

TEST_F(TextArrayTest, BlockHoldsDimensionCountSizeAndSlots) {
  TextArray array = MakeArray({"C:", nullptr, "file.txt"});
  const unsigned char* block = static_cast<const unsigned char*>(array.Block());
  int32_t header[2];
  std::memcpy(header, block, sizeof(header));
  EXPECT_EQ(header[0], 1);
  EXPECT_EQ(header[1], 3);
  const char* slots[3];
  std::memcpy(slots, block + sizeof(header), sizeof(slots));
  EXPECT_EQ(ElementCount(array), 3);
  // ElementAt reads the slot in place: the array keeps its element.
  for (int32_t i = 1; i <= 3; ++i) EXPECT_EQ(ElementAt(array, i).bytes, slots[i - 1]);
  EXPECT_EQ(DescribeArray(array), DescribeTexts({"C:", nullptr, "file.txt"}));
}

TEST_F(TextArrayTest, ReleasingAnArrayReleasesTheTextsInIndexOrderThenTheBlock) {
  TextArray array = MakeArray({"a", nullptr, "b", nullptr});
  const void* block = array.Block();
  const char* first = ElementAt(array, 1).bytes;
  const char* third = ElementAt(array, 3).bytes;
  StartBlockLog();
  array = TextArray();  // the fresh array is allocated before the old one goes
  std::vector<BlockEvent> log = TakeBlockLog();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0].kind, BlockEvent::kAllocated);
  EXPECT_EQ(log[1].block, first);
  EXPECT_EQ(log[2].block, third);
  EXPECT_EQ(log[3].block, block);
  for (size_t i = 1; i < log.size(); ++i) EXPECT_EQ(log[i].kind, BlockEvent::kReleased);
  EXPECT_EQ(ElementCount(array), 0);
}

TEST_F(TextArrayTest, AssigningANewArrayReleasesTheOldOneAndKeepsTheNew) {
  TextArray held = MakeArray({"x", "y"});
  const void* oldBlock = held.Block();
  const char* oldFirst = ElementAt(held, 1).bytes;
  const char* oldSecond = ElementAt(held, 2).bytes;
  TextArray incoming = MakeArray({"new"});
  const void* newBlock = incoming.Block();
  StartBlockLog();
  held = std::move(incoming);
  std::vector<BlockEvent> log = TakeBlockLog();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].block, oldFirst);
  EXPECT_EQ(log[1].block, oldSecond);
  EXPECT_EQ(log[2].block, oldBlock);
  EXPECT_EQ(held.Block(), newBlock);
  EXPECT_EQ(DescribeArray(held), DescribeTexts({"new"}));
}

TEST_F(TextArrayTest, ArrayBlockHasOneSlotPerElement) {
  std::vector<char*> blocks = {CopyText("a").Release(), nullptr};
  StartBlockLog();
  TextArray array = TextArray::FromBlocks(blocks.data(), 2);
  std::vector<BlockEvent> log = TakeBlockLog();
  ExpectSingleBlock(log, 2 * int64_t{sizeof(int32_t)} + 2 * int64_t{sizeof(char*)});
}

using TextAllocationDeathTest = TextValueTest;

TEST_F(TextAllocationDeathTest, ARefusedBlockEndsTheProcessWithItsSize) {
  EXPECT_EXIT(
      {
        RefuseAllocation(1);
        ConcatText({"abc", "de"});
      },
      ::testing::ExitedWithCode(255), AllocationFailurePattern(6));
  EXPECT_EXIT(
      {
        RefuseAllocation(1);
        ToText(std::numeric_limits<int32_t>::min());
      },
      ::testing::ExitedWithCode(255), AllocationFailurePattern(12));
  // A size no 32-bit count can hold is refused, and reported at the largest count there is.
  EXPECT_EXIT(AllocateBlock(int64_t{3} << 30), ::testing::ExitedWithCode(255),
              AllocationFailurePattern(std::numeric_limits<int32_t>::max()));
}

}  // namespace
