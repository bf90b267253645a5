// OnFilesDropped: the confirmation, Cancel, the run over every path in order, the completion
// message with and without failed copies, and the fatal end at an empty line.
#include "batch/files_dropped.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "batch/batch_test_fixture.h"
#include "system/message_box.h"
#include "text/fatal_report_pattern.h"

namespace {

const char kAccessDenied[] = "拒绝访问。";

// The drop target's text is its own; the handler only reads it.
void Drop(const std::string& paths) {
  Text received = CopyText(paths.c_str());
  OnFilesDropped(received);
}

ShownMessageBox Confirmation(const std::string& count) {
  return {"共收到:" + count + "个文件.开始么?", kButtonsOkCancel, "信息：", true};
}

ShownMessageBox Completion(const std::string& message) {
  return {message, kButtonsOk, "信息：", true};
}

std::vector<std::string> FileCalls(int32_t files) {
  std::vector<std::string> calls;
  for (int32_t i = 0; i < files; ++i) {
    calls.insert(calls.end(), {"read box1", "read box3", "read box2", "copy", "append box4"});
  }
  return calls;
}

using OnFilesDroppedTest = BatchTest;

TEST_F(OnFilesDroppedTest, ConfirmationCountsThePathsAndCancelChangesNothing) {
  struct Case {
    const char* received;
    const char* count;
  } cases[] = {
      {"", "0"},
      {"C:\\a.txt", "1"},
      {"C:\\a.txt\r\n", "1"},
      {"C:\\a.txt\r\nC:\\b.txt\r\nC:\\c.txt\r\n", "3"},
      // An empty line counts; with Cancel it is never reached.
      {"C:\\a.txt\r\n\r\nC:\\b.txt", "3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("received [") + HexBytes(c.received) + "]");
    ResetPlatformDoubles();
    SetSettings("a", "b", "D:\\out");
    SetBoxContent(编辑框4, "earlier\r\n");
    ScriptMessageBoxAnswers({kResultCancel});

    Drop(c.received);

    EXPECT_EQ(DescribeBoxes(ShownMessageBoxes()), DescribeBoxes({Confirmation(c.count)}));
    EXPECT_EQ(PlatformCalls(), std::vector<std::string>{"message box"});
    EXPECT_EQ(BoxContent(编辑框4), "earlier\r\n");
  }
}

TEST_F(OnFilesDroppedTest, MessagesHoldAsciiPunctuation) {
  ScriptMessageBoxAnswers({kResultOk});
  ScriptCopies(FailCopiesFrom({"C:\\a.txt"}, kAccessDenied));
  Drop("C:\\a.txt");
  ASSERT_EQ(ShownMessageBoxes().size(), 2u);
  EXPECT_EQ(HexBytes(ShownMessageBoxes()[0].message),
            "b9 b2 ca d5 b5 bd 3a 31 b8 f6 ce c4 bc fe 2e bf aa ca bc c3 b4 3f");
  EXPECT_EQ(
      HexBytes(ShownMessageBoxes()[1].message),
      "b8 c4 c3 fb b8 b4 d6 c6 cd ea b3 c9 21 0d 0a b8 b4 d6 c6 ca a7 b0 dc 3a 31 b8 f6 ce c4 "
      "bc fe 2e");
}

TEST_F(OnFilesDroppedTest, EveryAnswerButCancelStartsTheRun) {
  // 0 is OK and 2 to 6 the other buttons a box can have; 7 and -1 stand for anything else.
  for (int32_t answer :
       {kResultOk, kResultAbort, kResultRetry, kResultIgnore, kResultYes, kResultNo, 7, -1}) {
    SCOPED_TRACE("answer " + std::to_string(answer));
    ResetPlatformDoubles();
    SetSettings("a", "b", "D:\\out");
    ScriptMessageBoxAnswers({answer});

    Drop("C:\\in\\a.txt");

    EXPECT_EQ(DescribeCopies(CopyAttempts()),
              DescribeCopies({{"C:\\in\\a.txt", "D:\\out\\b.txt"}}));
    EXPECT_EQ(DescribeBoxes(ShownMessageBoxes()),
              DescribeBoxes({Confirmation("1"), Completion("改名复制完成!")}));
  }
}

TEST_F(OnFilesDroppedTest, NothingDroppedStillEndsWithTheCompletionMessage) {
  Drop("");
  EXPECT_TRUE(CopyAttempts().empty());
  EXPECT_EQ(DescribeBoxes(ShownMessageBoxes()),
            DescribeBoxes({Confirmation("0"), Completion("改名复制完成!")}));
}

TEST_F(OnFilesDroppedTest, HandlesThePathsOneAfterTheOtherInListOrder) {
  SetSettings("TXT", "doc", "F:\\out");
  Drop("E:\\y\\3.txt\r\nC:\\x\\1.txt\r\nD:\\2.TXT\r\n");

  EXPECT_EQ(DescribeCopies(CopyAttempts()), DescribeCopies({{"E:\\y\\3.txt", "F:\\out\\3.doc"},
                                                            {"C:\\x\\1.txt", "F:\\out\\1.doc"},
                                                            {"D:\\2.TXT", "F:\\out\\2.doc"}}));
  EXPECT_EQ(HexBytes(BoxContent(编辑框4)),
            HexBytes("3.txt -> 3.doc\r\n1.txt -> 1.doc\r\n2.TXT -> 2.doc\r\n"));
  // Each file is read, copied and logged before the next one starts.
  std::vector<std::string> calls = {"message box"};
  for (const std::string& call : FileCalls(3)) calls.push_back(call);
  calls.push_back("message box");
  EXPECT_EQ(PlatformCalls(), calls);
}

TEST_F(OnFilesDroppedTest, ASecondDropLogsAfterTheFirst) {
  SetSettings("a", "b", "D:\\out");
  Drop("C:\\a.txt");
  Drop("C:\\c.txt\r\nC:\\ca.txt");
  EXPECT_EQ(HexBytes(BoxContent(编辑框4)),
            HexBytes("a.txt -> b.txt\r\nc.txt -> c.txt\r\nca.txt -> cb.txt\r\n"));
  EXPECT_EQ(DescribeBoxes(ShownMessageBoxes()),
            DescribeBoxes({Confirmation("1"), Completion("改名复制完成!"), Confirmation("2"),
                           Completion("改名复制完成!")}));
}

TEST_F(OnFilesDroppedTest, ReadsTheBoxesAnewForEveryFile) {
  SetSettings("a", "b", "D:\\out");
  // The first copy changes every setting; the second file must see the new ones.
  int32_t copies = 0;
  ScriptCopies([&copies](const CopyAttempt&) -> std::optional<std::string> {
    if (++copies == 1) SetSettings("1", "2", "E:\\new");
    return std::nullopt;
  });
  Drop("C:\\a1.txt\r\nC:\\a1.txt\r\n");
  EXPECT_EQ(DescribeCopies(CopyAttempts()),
            DescribeCopies({{"C:\\a1.txt", "D:\\out\\b1.txt"}, {"C:\\a1.txt", "E:\\new\\a2.txt"}}));
  EXPECT_EQ(HexBytes(BoxContent(编辑框4)), HexBytes("a1.txt -> b1.txt\r\na1.txt -> a2.txt\r\n"));
}

TEST_F(OnFilesDroppedTest, CompletionCountsTheFailedCopiesAndTheRunGoesOn) {
  const std::string three = "C:\\a.txt\r\nC:\\b.txt\r\nC:\\c.txt";
  struct Case {
    std::vector<std::string> failing;
    std::string log;
    std::string completion;
  } cases[] = {
      {{}, "a.txt -> a.txt\r\nb.txt -> b.txt\r\nc.txt -> c.txt\r\n", "改名复制完成!"},
      {{"C:\\b.txt"},
       "a.txt -> a.txt\r\nb.txt -> b.txt (复制失败: 拒绝访问。)\r\nc.txt -> c.txt\r\n",
       "改名复制完成!\r\n复制失败:1个文件."},
      {{"C:\\a.txt", "C:\\b.txt", "C:\\c.txt"},
       "a.txt -> a.txt (复制失败: 拒绝访问。)\r\nb.txt -> b.txt (复制失败: 拒绝访问。)\r\n"
       "c.txt -> c.txt (复制失败: 拒绝访问。)\r\n",
       "改名复制完成!\r\n复制失败:3个文件."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.failing.size()) + " failing");
    ResetPlatformDoubles();
    SetSettings("", "", "D:\\out");
    ScriptCopies(FailCopiesFrom(c.failing, kAccessDenied));

    Drop(three);

    EXPECT_EQ(CopyAttempts().size(), 3u);
    EXPECT_EQ(HexBytes(BoxContent(编辑框4)), HexBytes(c.log));
    EXPECT_EQ(DescribeBoxes(ShownMessageBoxes()),
              DescribeBoxes({Confirmation("3"), Completion(c.completion)}));
  }
}

TEST_F(OnFilesDroppedTest, FailedCountOfSeveralDigits) {
  std::string received;
  for (int i = 0; i < 12; ++i) received += "C:\\f" + std::to_string(i) + ".txt\r\n";
  ScriptCopies([](const CopyAttempt&) -> std::optional<std::string> { return "x"; });
  Drop(received);
  ASSERT_EQ(ShownMessageBoxes().size(), 2u);
  EXPECT_EQ(ShownMessageBoxes()[0].message, "共收到:12个文件.开始么?");
  EXPECT_EQ(ShownMessageBoxes()[1].message, "改名复制完成!\r\n复制失败:12个文件.");
}

TEST_F(OnFilesDroppedTest, EmptyLineEndsTheProgramAfterTheEarlierPaths) {
  // Each copy leaves its source on stderr: the first path must be copied, then the report must
  // follow at once, with no copy for the empty line or for the path after it.
  ScriptCopies([](const CopyAttempt& attempt) -> std::optional<std::string> {
    std::fprintf(stderr, "copied %s\n", HexBytes(attempt.source).c_str());
    return std::nullopt;
  });
  const std::string pattern = "copied " + HexBytes("C:\\in\\a.txt") + "\n" +
                              FatalReportPattern(4,
                                                 "运行时出错!\r\n\r\n错误代码：4\r\n\r\n"
                                                 "错误信息：数组成员引用下标必须大于等于1\r\n");
  EXPECT_EXIT(Drop("C:\\in\\a.txt\r\n\r\nC:\\in\\b.txt\r\n"), ::testing::ExitedWithCode(255),
              pattern);
}

}  // namespace
