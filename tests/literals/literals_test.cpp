// Every message text of the program, written again here in readable UTF-8, converted to code
// page 936 with iconv and compared byte for byte with the program's constant. A changed
// character, or a full-width mark where an ASCII one belongs (or the other way round), fails with
// both byte strings in hex.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "batch/batch_texts.h"
#include "support/hex_bytes.h"
#include "system/message_box.h"
#include "system/runtime_error.h"
#include "ui/window_texts.h"

namespace {

// The code page 936 bytes of `utf8`; "<not convertible>" when iconv refuses any of it.
std::string ToCodePage936(const std::string& utf8) {
  iconv_t converter = iconv_open("CP936", "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) return "<no converter>";
  std::vector<char> in(utf8.begin(), utf8.end());
  std::vector<char> out(utf8.size() * 2 + 16);
  char* inNext = in.data();
  size_t inLeft = in.size();
  char* outNext = out.data();
  size_t outLeft = out.size();
  size_t converted = iconv(converter, &inNext, &inLeft, &outNext, &outLeft);
  iconv_close(converter);
  if (converted == static_cast<size_t>(-1) || inLeft != 0) return "<not convertible>";
  return std::string(out.data(), static_cast<size_t>(outNext - out.data()));
}

struct Literal {
  const char* name;
  std::string bytes;     // the program's constant, every byte up to its terminator
  const char* readable;  // the same text in UTF-8, as the user reads it
};

// The whole array: a zero byte inside a constant would end it early for every reader.
#define RC_LITERAL(constant, readable)                               \
  Literal {                                                          \
#constant, std::string(constant, sizeof(constant) - 1), readable \
  }

TEST(LiteralsTest, ConverterGivesTheKnownBytes) {
  // Anchors for the method: the full-width colon is a3 ba, the ASCII one stays 3a.
  EXPECT_EQ(HexBytes(ToCodePage936(u8"信息：")), "d0 c5 cf a2 a3 ba");
  EXPECT_EQ(HexBytes(ToCodePage936(u8"共收到:")), "b9 b2 ca d5 b5 bd 3a");
}

TEST(LiteralsTest, EveryMessageTextHoldsItsCodePage936Bytes) {
  const Literal literals[] = {
      // Message boxes and the fatal report.
      RC_LITERAL(kDefaultMessageCaption, u8"信息："),
      RC_LITERAL(kRuntimeErrorCaption, u8"错误"),
      RC_LITERAL(kRuntimeErrorHeading, u8"运行时出错!\r\n\r\n"),
      RC_LITERAL(kErrorCodeLabel, u8"错误代码："),
      RC_LITERAL(kErrorMessageLabel, u8"错误信息："),
      RC_LITERAL(kAllocationFailureFormat, u8"分配 %d 字节内存失败!"),
      RC_LITERAL(kIndexAboveRangeMessage, u8"数组成员引用下标超出定义范围"),
      RC_LITERAL(kIndexBelowOneMessage, u8"数组成员引用下标必须大于等于1"),
      // The batch run.
      RC_LITERAL(kReceivedLead, u8"共收到:"),
      RC_LITERAL(kReceivedTail, u8"个文件.开始么?"),
      RC_LITERAL(kRunFinished, u8"改名复制完成!"),
      RC_LITERAL(kFailedLead, u8"复制失败:"),
      RC_LITERAL(kFailedTail, u8"个文件."),
      RC_LITERAL(kLogArrow, u8" -> "),
      RC_LITERAL(kLogFailureLead, u8" (复制失败: "),
      RC_LITERAL(kLogFailureTail, u8")"),
      RC_LITERAL(kPathSeparator, u8"\\"),
      RC_LITERAL(kLineBreak, u8"\r\n"),
      // The main window and its fatal reports.
      RC_LITERAL(kMainWindowCaption, u8"青柠小工具 - 改名复制"),
      RC_LITERAL(kSearchBoxCaption, u8"要从文件名中替换的文字(不区分大小写):"),
      RC_LITERAL(kReplacementBoxCaption, u8"将上面文字替换为(为空则是删除):"),
      RC_LITERAL(kOutputBoxCaption, u8"重命名后文件输出目录:"),
      RC_LITERAL(kDropAreaCaption, u8"将要改名的文件拖拽到框内(可多个) 拖拽完成立刻开始复制"),
      RC_LITERAL(kLogBoxCaption, u8"替换日志"),
      RC_LITERAL(kWindowNotLoadedMessage, u8"未载入欲访问窗口组件所在的窗口"),
      RC_LITERAL(kUnitNotLoadedMessage, u8"指定窗口尚未载入"),
      RC_LITERAL(kUnitMissingMessage, u8"指定窗口或窗口组件不存在或尚未载入"),
      RC_LITERAL(kLayoutUnreadableMessage, u8"载入窗口模板数据段出错!"),
      RC_LITERAL(kStartWindowFailedMessage, u8"载入启动窗口失败"),
      RC_LITERAL(kEventWindowMissingMessage, u8"未找到引发事件的窗口"),
      RC_LITERAL(kEventUnitMissingMessage, u8"未找到引发事件的窗口组件"),
      RC_LITERAL(kEventUnitInvalidMessage, u8"引发事件的窗口组件无效"),
      RC_LITERAL(kOutputFolderSuffix, u8"\\output"),
  };
  for (const Literal& literal : literals) {
    EXPECT_EQ(HexBytes(literal.bytes), HexBytes(ToCodePage936(literal.readable)))
        << literal.name << " differs from \"" << literal.readable << "\"";
  }
}

}  // namespace
