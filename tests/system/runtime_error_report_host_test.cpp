// The fatal report's text, byte for byte, and the element-index check that raises it.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "system/runtime_error.h"
#include "text/fatal_report_pattern.h"
#include "text/split_text.h"
#include "text/text_description.h"

namespace {

constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();

std::string Report(int32_t code, const char* message, int32_t capacity = 512) {
  std::vector<char> out(static_cast<size_t>(capacity) + 1, '#');
  int32_t length = FormatRuntimeErrorReport(code, message, out.data(), capacity);
  EXPECT_EQ(length, static_cast<int32_t>(std::strlen(out.data())));
  EXPECT_EQ(out[static_cast<size_t>(capacity)], '#') << "written beyond the capacity";
  return std::string(out.data(), static_cast<size_t>(length));
}

TEST(RuntimeErrorReportTest, LiteralsHoldTheirCodePage936Bytes) {
  // The colons are full-width (a3 ba); the exclamation mark is ASCII.
  EXPECT_EQ(HexBytes(kRuntimeErrorHeading), "d4 cb d0 d0 ca b1 b3 f6 b4 ed 21 0d 0a 0d 0a");
  EXPECT_EQ(HexBytes(kErrorCodeLabel), "b4 ed ce f3 b4 fa c2 eb a3 ba");
  EXPECT_EQ(HexBytes(kErrorMessageLabel), "b4 ed ce f3 d0 c5 cf a2 a3 ba");
  EXPECT_EQ(HexBytes(kRuntimeErrorCaption), "b4 ed ce f3");
}

TEST(RuntimeErrorReportTest, ShowsCodeLineAndMessageLineOnlyWhenPresent) {
  struct Case {
    int32_t code;
    const char* message;
    std::string report;
  } cases[] = {
      {4, kIndexBelowOneMessage,
       "运行时出错!\r\n\r\n错误代码：4\r\n\r\n错误信息：数组成员引用下标必须大于等于1\r\n"},
      {1, kIndexAboveRangeMessage,
       "运行时出错!\r\n\r\n错误代码：1\r\n\r\n错误信息：数组成员引用下标超出定义范围\r\n"},
      {0, "分配 1024 字节内存失败!", "运行时出错!\r\n\r\n错误信息：分配 1024 字节内存失败!\r\n"},
      {0, "", "运行时出错!\r\n\r\n"},
      {0, nullptr, "运行时出错!\r\n\r\n"},
      {-1, nullptr, "运行时出错!\r\n\r\n错误代码：-1\r\n\r\n"},
      {kIntMin, "x", "运行时出错!\r\n\r\n错误代码：-2147483648\r\n\r\n错误信息：x\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("code " + std::to_string(c.code));
    EXPECT_EQ(HexBytes(Report(c.code, c.message)), HexBytes(c.report));
  }
}

TEST(RuntimeErrorReportTest, CutsAReportThatDoesNotFit) {
  const std::string full = "运行时出错!\r\n\r\n错误信息：abc\r\n";
  EXPECT_EQ(HexBytes(Report(0, "abc", 20)), HexBytes(full.substr(0, 19)));
  EXPECT_EQ(HexBytes(Report(0, "abc", 1)), "");
  char untouched = '#';
  EXPECT_EQ(FormatRuntimeErrorReport(0, "abc", &untouched, 0), 0);
  EXPECT_EQ(untouched, '#');
}

TEST(RuntimeErrorReportTest, AllocationFailureMessageIsTheFormatFilledIn) {
  struct Case {
    int32_t byteCount;
    const char* message;
  } cases[] = {
      {1024, "分配 1024 字节内存失败!"},
      {0, "分配 0 字节内存失败!"},
      {-5, "分配 -5 字节内存失败!"},
      {kIntMax, "分配 2147483647 字节内存失败!"},
      {kIntMin, "分配 -2147483648 字节内存失败!"},
  };
  for (const Case& c : cases) {
    char out[100];
    int32_t length = FormatAllocationFailure(c.byteCount, out, sizeof(out));
    EXPECT_EQ(HexBytes(std::string(out, static_cast<size_t>(length))), HexBytes(c.message));
    EXPECT_EQ(out[length], '\0');
  }
}

TEST(CheckElementIndexTest, ReturnsForEveryIndexInRange) {
  TextArray pieces = SplitText("a,b,c", ",");
  for (int32_t index = 1; index <= 3; ++index) CheckElementIndex(pieces, index);
}

TEST(CheckElementIndexDeathTest, IndexBelowOneEndsWithCode4EvenOnAnEmptyArray) {
  const std::string pattern = FatalReportPattern(
      4, "运行时出错!\r\n\r\n错误代码：4\r\n\r\n错误信息：数组成员引用下标必须大于等于1\r\n");
  TextArray empty;
  EXPECT_EXIT(CheckElementIndex(empty, 0), ::testing::ExitedWithCode(255), pattern);
  TextArray two = SplitText("a,b", ",");
  EXPECT_EXIT(CheckElementIndex(two, 0), ::testing::ExitedWithCode(255), pattern);
  EXPECT_EXIT(CheckElementIndex(two, -1), ::testing::ExitedWithCode(255), pattern);
  EXPECT_EXIT(CheckElementIndex(two, kIntMin), ::testing::ExitedWithCode(255), pattern);
}

TEST(CheckElementIndexDeathTest, IndexAboveTheCountEndsWithCode1) {
  const std::string pattern = FatalReportPattern(
      1, "运行时出错!\r\n\r\n错误代码：1\r\n\r\n错误信息：数组成员引用下标超出定义范围\r\n");
  TextArray two = SplitText("a,b", ",");
  EXPECT_EXIT(CheckElementIndex(two, 3), ::testing::ExitedWithCode(255), pattern);
  EXPECT_EXIT(CheckElementIndex(two, kIntMax), ::testing::ExitedWithCode(255), pattern);
  TextArray empty;
  EXPECT_EXIT(CheckElementIndex(empty, 1), ::testing::ExitedWithCode(255), pattern);
}

}  // namespace
