// RenameAndCopyFile: the old name, the new name, where the copy goes, what the log says, and the
// order in which it reads the boxes, copies and logs.
#include "batch/rename_and_copy.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <ostream>
#include <string>

#include "batch/batch_test_fixture.h"
#include "text/fatal_report_pattern.h"

namespace {

// Reasons as the platform words them.
const char kInvalidName[] = "文件名、目录名或卷标语法不正确。";
const char kAccessDenied[] = "拒绝访问。";

TEST(DoubleByteSamplesTest, HoldTheBytesTheCasesRelyOn) {
  // The double-byte cases depend on these second bytes: "\", "a" and "A".
  EXPECT_EQ(HexBytes("誠"), "d5 5c");
  EXPECT_EQ(HexBytes("癮"), "b0 61");
  EXPECT_EQ(HexBytes("癆"), "b0 41");
}

struct NameCase {
  const char* path;
  const char* find;
  const char* replacement;
  const char* outputDirectory;
  const char* failure;  // the reason the copy double gives, or nullptr when the copy succeeds
  const char* destination;
  const char* entry;
};

// A failing row names itself in hex rather than as raw pointers.
void PrintTo(const NameCase& c, std::ostream* os) {
  *os << "path [" << HexBytes(c.path) << "] find [" << HexBytes(c.find) << "] replacement ["
      << HexBytes(c.replacement) << "] output [" << HexBytes(c.outputDirectory) << "]";
}

// Rows are named by their place in the table; a failure prints the row in full.
std::string CaseName(const ::testing::TestParamInfo<NameCase>& info) {
  return "Row" + std::to_string(info.index);
}

class RenameAndCopyNameTest : public BatchTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(RenameAndCopyNameTest, CopiesUnderTheNewNameAndLogsIt) {
  const NameCase& c = GetParam();
  SetSettings(c.find, c.replacement, c.outputDirectory);
  if (c.failure != nullptr) ScriptCopies(FailCopiesFrom({c.path}, c.failure));

  bool copied = RenameAndCopyFile(c.path);

  EXPECT_EQ(copied, c.failure == nullptr);
  // The source is the path as dropped, never one rebuilt from its components.
  EXPECT_EQ(DescribeCopies(CopyAttempts()), DescribeCopies({{c.path, c.destination}}));
  EXPECT_EQ(HexBytes(BoxContent(编辑框4)), HexBytes(c.entry));
}

// The search text and its replacement applied to the name; the output directory is "D:\out".
const NameCase kNewNames[] = {
    // Not found, or nothing to find: the name stays.
    {"C:\\in\\a.txt", "zz", "y", "D:\\out", nullptr, "D:\\out\\a.txt", "a.txt -> a.txt\r\n"},
    {"C:\\in\\a.txt", "", "y", "D:\\out", nullptr, "D:\\out\\a.txt", "a.txt -> a.txt\r\n"},
    // Letter case is ignored on both sides.
    {"C:\\in\\xabcx.txt", "ABC", "Q", "D:\\out", nullptr, "D:\\out\\xQx.txt",
     "xabcx.txt -> xQx.txt\r\n"},
    {"C:\\in\\PHOTO.JPG", "jpg", "png", "D:\\out", nullptr, "D:\\out\\PHOTO.png",
     "PHOTO.JPG -> PHOTO.png\r\n"},
    // Every occurrence, the extension included; an empty replacement deletes.
    {"C:\\in\\banana.txt", "a", "b", "D:\\out", nullptr, "D:\\out\\bbnbnb.txt",
     "banana.txt -> bbnbnb.txt\r\n"},
    {"C:\\in\\a.txt", "txt", "doc", "D:\\out", nullptr, "D:\\out\\a.doc", "a.txt -> a.doc\r\n"},
    {"C:\\in\\x_old_OLD.txt", "_old", "", "D:\\out", nullptr, "D:\\out\\x.txt",
     "x_old_OLD.txt -> x.txt\r\n"},
    // Chinese search and replacement texts.
    {"C:\\in\\报告文件.txt", "文件", "档", "D:\\out", nullptr, "D:\\out\\报告档.txt",
     "报告文件.txt -> 报告档.txt\r\n"},
    // A replacement holding "\" sends the copy into a subfolder.
    {"C:\\in\\a.txt", "a", "sub\\b", "D:\\out", nullptr, "D:\\out\\sub\\b.txt",
     "a.txt -> sub\\b.txt\r\n"},
};
INSTANTIATE_TEST_SUITE_P(NewNames, RenameAndCopyNameTest, ::testing::ValuesIn(kNewNames), CaseName);

// Which component is the name, and how the destination is put together.
const NameCase kPaths[] = {
    // The separator is always put in: after an empty directory, and after one that ends in "\".
    {"C:\\in\\a.txt", "", "", "", nullptr, "\\a.txt", "a.txt -> a.txt\r\n"},
    {"C:\\in\\a.txt", "", "", "D:\\out\\", nullptr, "D:\\out\\\\a.txt", "a.txt -> a.txt\r\n"},
    // Two separators in a row in the dropped path: the source keeps them.
    {"C:\\in\\\\a.txt", "", "", "D:\\out", nullptr, "D:\\out\\a.txt", "a.txt -> a.txt\r\n"},
    // A path with no separator is its own name; a drive root's name is the drive.
    {"a.txt", "", "", "D:\\out", nullptr, "D:\\out\\a.txt", "a.txt -> a.txt\r\n"},
    {"D:\\", "", "", "D:\\out", kAccessDenied,
     "D:\\out\\D:", "D: -> D: (复制失败: 拒绝访问。)\r\n"},
    // A lone separator has one empty component: an empty name, not a fatal error.
    {"\\", "", "", "D:\\out", kInvalidName, "D:\\out\\",
     " ->  (复制失败: 文件名、目录名或卷标语法不正确。)\r\n"},
};
INSTANTIATE_TEST_SUITE_P(Paths, RenameAndCopyNameTest, ::testing::ValuesIn(kPaths), CaseName);

// A byte-by-byte split or search would cut or hit inside these characters.
const NameCase kDoubleByteNames[] = {
    // 誠 ends in the byte of "\": the name is not cut there.
    {"C:\\in\\誠.txt", "", "", "D:\\out", nullptr, "D:\\out\\誠.txt", "誠.txt -> 誠.txt\r\n"},
    {"C:\\in\\ab誠", "AB", "x", "D:\\out", nullptr, "D:\\out\\x誠", "ab誠 -> x誠\r\n"},
    {"C:\\誠\\a誠b", "b", "c", "D:\\out", nullptr, "D:\\out\\a誠c", "a誠b -> a誠c\r\n"},
    // 癮 ends in "a" and 癆 in "A": only the letters that stand alone are replaced.
    {"C:\\in\\癮a.txt", "a", "b", "D:\\out", nullptr, "D:\\out\\癮b.txt", "癮a.txt -> 癮b.txt\r\n"},
    {"C:\\in\\癆A.txt", "a", "", "D:\\out", nullptr, "D:\\out\\癆.txt", "癆A.txt -> 癆.txt\r\n"},
};
INSTANTIATE_TEST_SUITE_P(DoubleByteNames, RenameAndCopyNameTest,
                         ::testing::ValuesIn(kDoubleByteNames), CaseName);

// A failed copy is logged with the platform's reason and reported to the caller.
const NameCase kFailedCopies[] = {
    {"C:\\in\\a.txt", "", "", "D:\\out", kAccessDenied, "D:\\out\\a.txt",
     "a.txt -> a.txt (复制失败: 拒绝访问。)\r\n"},
    // The whole name deleted: the destination ends in "\", which the platform refuses.
    {"C:\\in\\a.txt", "A.TXT", "", "D:\\out", kInvalidName, "D:\\out\\",
     "a.txt ->  (复制失败: 文件名、目录名或卷标语法不正确。)\r\n"},
};
INSTANTIATE_TEST_SUITE_P(FailedCopies, RenameAndCopyNameTest, ::testing::ValuesIn(kFailedCopies),
                         CaseName);

using RenameAndCopyFileTest = BatchTest;

TEST_F(RenameAndCopyFileTest, ReadsFindAndReplacementThenDirectoryThenCopiesThenLogs) {
  for (bool fails : {false, true}) {
    SCOPED_TRACE(fails ? "failed copy" : "copy");
    ResetPlatformDoubles();
    if (fails) ScriptCopies(FailCopiesFrom({"C:\\a.txt"}, kAccessDenied));
    SetSettings("a", "b", "D:\\out");
    RenameAndCopyFile("C:\\a.txt");
    EXPECT_EQ(PlatformCalls(), (std::vector<std::string>{"read box1", "read box3", "read box2",
                                                         "copy", "append box4"}));
  }
}

TEST_F(RenameAndCopyFileTest, EntriesFollowWhatTheLogAlreadyHolds) {
  SetSettings("a", "b", "D:\\out");
  SetBoxContent(编辑框4, "typed by the user");
  ScriptCopies(FailCopiesFrom({"C:\\c.txt"}, kAccessDenied));
  EXPECT_TRUE(RenameAndCopyFile("C:\\a.txt"));
  EXPECT_FALSE(RenameAndCopyFile("C:\\c.txt"));
  EXPECT_TRUE(RenameAndCopyFile("C:\\ca.txt"));
  EXPECT_EQ(HexBytes(BoxContent(编辑框4)), HexBytes("typed by the usera.txt -> b.txt\r\n"
                                                    "c.txt -> c.txt (复制失败: 拒绝访问。)\r\n"
                                                    "ca.txt -> cb.txt\r\n"));
}

TEST_F(RenameAndCopyFileTest, FailureEntryHasAsciiPunctuation) {
  // Parentheses, colon and blanks are single-byte; the arrow is space, hyphen, greater, space.
  SetSettings("", "", "D:\\out");
  ScriptCopies(FailCopiesFrom({"a"}, "x"));
  RenameAndCopyFile("a");
  EXPECT_EQ(HexBytes(BoxContent(编辑框4)),
            "61 20 2d 3e 20 61 20 28 b8 b4 d6 c6 ca a7 b0 dc 3a 20 78 29 0d 0a");
}

TEST_F(RenameAndCopyFileTest, EmptyPathEndsTheProgramBeforeAnythingIsCopied) {
  // Any copy would leave its mark between "start" and the report.
  ScriptCopies([](const CopyAttempt&) -> std::optional<std::string> {
    std::fputs("copied\n", stderr);
    return std::nullopt;
  });
  const std::string pattern =
      "start\n" + FatalReportPattern(4,
                                     "运行时出错!\r\n\r\n错误代码：4\r\n\r\n"
                                     "错误信息：数组成员引用下标必须大于等于1\r\n");
  for (const char* path : {"", static_cast<const char*>(nullptr)}) {
    EXPECT_EXIT(
        {
          std::fputs("start\n", stderr);
          RenameAndCopyFile(path);
        },
        ::testing::ExitedWithCode(255), pattern);
  }
}

}  // namespace
