// The drop area of the real main window: 拖放对象1 as the layout builds it and OnWindowCreated
// registers it, with the real dispatch and the real batch run behind it. A second drop while the
// confirmation of a first is open must run its whole batch nested in the first.
#include <gtest/gtest.h>
#include <ole2.h>
#include <windows.h>

#include <iterator>
#include <string>
#include <vector>

#include "drop/drop_target.h"
#include "drop_test_support.h"
#include "message_box_answerer.h"
#include "system/allocator.h"
#include "test_data_object.h"
#include "text/text.h"
#include "ui/control_access.h"
#include "ui/layout.h"
#include "ui/main_window.h"
#include "ui/program.h"
#include "ui/unit_objects.h"
#include "ui/units.h"
#include "ui/window_handle.h"

namespace {

constexpr char kAskOne[] = "共收到:1个文件.开始么?";
constexpr char kAskTwo[] = "共收到:2个文件.开始么?";
constexpr char kDone[] = "改名复制完成!";

// A fresh folder under the temporary directory, with the given files in it.
std::string MakeFolder(const std::string& name, const std::vector<std::string>& files) {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof(temp), temp);
  const std::string folder = std::string(temp) + name;
  CreateDirectoryA(folder.c_str(), nullptr);
  for (const std::string& file : files) {
    const std::string path = folder + "\\" + file;
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(handle, file.data(), static_cast<DWORD>(file.size()), &written, nullptr);
    CloseHandle(handle);
  }
  return folder;
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

struct NestedDrop {
  DropTarget* target = nullptr;
  std::vector<std::string> paths;
  bool started = false;
  DragOutcome outcome;
};
NestedDrop* g_nested = nullptr;

// Fires inside the first confirmation's loop, as a drag source's messages would.
void CALLBACK DropAgain(HWND, UINT, UINT_PTR timer, DWORD) {
  if (g_nested->started) return;
  bool askOpen = false;
  for (const OpenBox& box : OpenMessageBoxes(GetCurrentThreadId())) {
    askOpen = askOpen || box.text == kAskOne;
  }
  if (!askOpen) return;
  KillTimer(nullptr, timer);
  g_nested->started = true;
  ComRef<TestDataObject> data(TestDataObject::WithFiles(g_nested->paths));
  g_nested->outcome = DragAndDrop(g_nested->target, data.get(), 0, DROPEFFECT_COPY);
}

TEST(MainWindowDropArea, IsRegisteredForTheDropTargetOfTheLayout) {
  HWND dropArea = GetWindowHandle(分组框3);
  ASSERT_NE(dropArea, nullptr);
  DropTarget* target = GetDropTargetObject(拖放对象1);
  ASSERT_NE(target, nullptr);
  EXPECT_EQ(RegisterDragDrop(dropArea, AsDropTarget(target)), DRAGDROP_E_ALREADYREGISTERED)
      << "OnWindowCreated registers the window of 分组框3";
  EXPECT_FALSE(
      RegisterDropWindow(target, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(dropArea))))
      << "a second registration is refused";
}

TEST(MainWindowDropArea, ASecondDropDuringTheFirstConfirmationRunsItsBatchInsideTheFirst) {
  const std::string source = MakeFolder("rc_drop_nested_in", {"a1.txt", "b1.txt", "c1.txt"});
  const std::string output = MakeFolder("rc_drop_nested_out", {});
  for (const char* name : {"a_新.txt", "b_新.txt", "c_新.txt"}) {
    DeleteFileA((output + "\\" + name).c_str());
  }
  WriteContent(编辑框1, "1");
  WriteContent(编辑框3, "_新");
  WriteContent(编辑框2, output.c_str());
  WriteContent(编辑框4, "");
  const int32_t liveBefore = LiveBlockCount();

  NestedDrop nested;
  nested.target = GetDropTargetObject(拖放对象1);
  nested.paths = {source + "\\b1.txt", source + "\\c1.txt"};
  g_nested = &nested;
  // The user confirms the nested run and closes its completion first; the first run's
  // confirmation is still open underneath all along.
  MessageBoxAnswerer answerer(GetCurrentThreadId(), {kAskTwo, kDone, kAskOne, kDone});
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, DropAgain);
  ASSERT_NE(timer, 0u);

  ComRef<TestDataObject> data(TestDataObject::WithFiles({source + "\\a1.txt"}));
  const DragOutcome outer = DragAndDrop(nested.target, data.get(), 0, DROPEFFECT_COPY);
  KillTimer(nullptr, timer);
  const std::vector<AnsweredBox> answered = answerer.Finish();
  g_nested = nullptr;

  EXPECT_TRUE(nested.started) << "the timer never found the first confirmation open";
  EXPECT_EQ(outer.dropResult, E_FAIL);
  EXPECT_EQ(nested.outcome.dropResult, E_FAIL);

  const struct {
    const char* text;
    int openBoxes;
  } expected[] = {{kAskTwo, 2}, {kDone, 2}, {kAskOne, 1}, {kDone, 1}};
  ASSERT_EQ(answered.size(), std::size(expected));
  for (size_t i = 0; i < answered.size(); ++i) {
    EXPECT_EQ(HexBytes(answered[i].text), HexBytes(expected[i].text)) << i;
    EXPECT_EQ(answered[i].openBoxes, expected[i].openBoxes)
        << i << ": the nested run's boxes open over the first confirmation";
  }

  // The nested run logged and copied before the first run began its own. Only the order of the
  // entries is the drop area's business; their form belongs to the batch run.
  Text log = ReadContent(编辑框4);
  const std::string entries = log.Bytes();
  log.Reset();
  const size_t b = entries.find("b1.txt -> b_新.txt");
  const size_t c = entries.find("c1.txt -> c_新.txt");
  const size_t a = entries.find("a1.txt -> a_新.txt");
  ASSERT_NE(b, std::string::npos) << HexBytes(entries);
  ASSERT_NE(c, std::string::npos) << HexBytes(entries);
  ASSERT_NE(a, std::string::npos) << HexBytes(entries);
  EXPECT_LT(b, c) << HexBytes(entries);
  EXPECT_LT(c, a) << HexBytes(entries);
  for (const char* name : {"a_新.txt", "b_新.txt", "c_新.txt"}) {
    EXPECT_TRUE(FileExists(output + "\\" + name)) << name;
  }
  EXPECT_EQ(LiveBlockCount(), liveBefore);
}

LONG WINAPI EndOnCrash(EXCEPTION_POINTERS*) {
  TerminateProcess(GetCurrentProcess(), 3);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

// Starts the program as its own start routine does, up to the message loop, which the boxes of
// the batch run replace here.
int main(int argc, char** argv) {
  SetUnhandledExceptionFilter(EndOnCrash);
  testing::InitGoogleTest(&argc, argv);
  PrepareProgram(&kMainWindowLayout);
  if (!LoadWindow(kMainWindowId)) {
    fprintf(stderr, "the main window was not built\n");
    return 2;
  }
  const int result = RUN_ALL_TESTS();
  EndProgram();
  return result;
}
