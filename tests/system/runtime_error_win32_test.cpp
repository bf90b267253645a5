// The fatal report end to end: the probe program raises it as a child, this test reads the box
// the child shows, answers it and takes the child's exit code.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "box_driver_win32.h"
#include "probe_program_win32.h"
#include "scratch_folder_win32.h"

namespace {

struct FatalRun {
  bool started = false;
  bool boxFound = false;
  BoxView view;
  bool windowEnabledWhileOpen = false;
  std::string markerWhileOpen;
  std::string markerAfter;
  DWORD exitCode = 0;
};

FatalRun RunFatalProbe(const std::string& scenario) {
  ScratchFolder scratch;
  const std::string marker = scratch / "marker.txt";
  FatalRun run;
  ChildProcess child;
  run.started =
      child.Start(ProbeProgramPath(), "fatal " + scenario + " \"" + marker + "\"", scratch.Path());
  if (!run.started) return run;
  HWND box = WaitForMessageBox(child.ProcessId());
  if (box != nullptr) {
    run.boxFound = true;
    run.view = ViewBox(box);
    HWND window = WaitForTopLevelWindow(child.ProcessId(), "rc fatal probe window", 1000);
    run.windowEnabledWhileOpen = window != nullptr && IsWindowEnabled(window);
    run.markerWhileOpen = ReadFileBytes(marker);
    AnswerBox(box, BoxAnswer::kButton, IDOK);
  }
  run.exitCode = child.WaitForExit();
  run.markerAfter = ReadFileBytes(marker);
  return run;
}

TEST(FatalReportTest, ShowsTheReportThenEndsTheProcessWithMinusOne) {
  struct Case {
    const char* scenario;
    std::string text;
  } cases[] = {
      {"index-below-one",
       "运行时出错!\r\n\r\n错误代码：4\r\n\r\n错误信息：数组成员引用下标必须大于等于1\r\n"},
      {"index-above-range",
       "运行时出错!\r\n\r\n错误代码：1\r\n\r\n错误信息：数组成员引用下标超出定义范围\r\n"},
      {"allocation-failure", "运行时出错!\r\n\r\n错误信息：分配 1024 字节内存失败!\r\n"},
      // A request the heap itself refuses, and one the allocator refuses before asking it.
      {"heap-refused", "运行时出错!\r\n\r\n错误信息：分配 2147418112 字节内存失败!\r\n"},
      {"size-refused", "运行时出错!\r\n\r\n错误信息：分配 -7 字节内存失败!\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.scenario);
    FatalRun run = RunFatalProbe(c.scenario);
    ASSERT_TRUE(run.started);
    ASSERT_TRUE(run.boxFound);
    EXPECT_EQ(HexBytes(run.view.caption), "b4 ed ce f3");  // 错误
    EXPECT_EQ(HexBytes(run.view.text), HexBytes(c.text));
    // MB_OK with MB_ICONERROR, and not task-modal: the program's window stays enabled.
    EXPECT_FALSE(run.view.hasCancel);
    EXPECT_TRUE(run.view.hasIcon);
    EXPECT_TRUE(run.windowEnabledWhileOpen);
    // Events are held before the box shows; the program is ended only after it is closed.
    EXPECT_EQ(run.markerWhileOpen, "held\n");
    EXPECT_EQ(run.markerAfter, "held\nended\n");
    EXPECT_EQ(run.exitCode, 0xFFFFFFFFu);
  }
}

}  // namespace
