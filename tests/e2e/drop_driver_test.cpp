// The whole tool from outside its process: real files are dropped onto its drop area with OLE
// drag and drop, its message boxes are read and answered, and the log box, the output folder and
// the dropped files are checked byte for byte afterwards.
//
// Run: drop_driver_test <path of renamecopy.exe>   (a Linux path is taken as Z:\...)
// One tool process serves the drops of the ToolSession suite, in the order written here.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "file_drag.h"
#include "scratch_folder.h"
#include "tool_window.h"

namespace {

// The tool's texts, written out here rather than taken from its headers so that a wrong byte in
// the product shows up.
const std::string kConfirmLead = "共收到:";
const std::string kConfirmTail = "个文件.开始么?";
const std::string kCaption = "信息：";
const std::string kFinished = "改名复制完成!";
const std::string kFailedLead = "\r\n复制失败:";
const std::string kFailedTail = "个文件.";
const std::string kArrow = " -> ";
const std::string kFailureLead = " (复制失败: ";
const std::string kFailureTail = ")";
const std::string kLineBreak = "\r\n";

// Emulated 32-bit code is slow: boxes may take seconds to come up.
constexpr DWORD kBoxTimeoutMs = 120000;
constexpr DWORD kDragTimeoutMs = 120000;

std::string g_toolExe;  // Windows path of the built renamecopy.exe

std::string LogEntry(const std::string& oldName, const std::string& newName) {
  return oldName + kArrow + newName + kLineBreak;
}

std::string FailedLogEntry(const std::string& oldName, const std::string& newName,
                           const std::string& reason) {
  return oldName + kArrow + newName + kFailureLead + reason + kFailureTail + kLineBreak;
}

std::string Confirmation(size_t count) {
  return kConfirmLead + std::to_string(count) + kConfirmTail;
}

std::string Completion(int failed) {
  return failed == 0 ? kFinished : kFinished + kFailedLead + std::to_string(failed) + kFailedTail;
}

// Compares code page 936 bytes; on a mismatch both sides are shown in hex.
::testing::AssertionResult SameBytes(const std::string& expected, const std::string& actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "\n  expected: " << HexBytes(expected) << "\n  actual:   " << HexBytes(actual);
}

std::string Joined(const std::vector<std::string>& names) {
  std::string all;
  for (const std::string& name : names) all += "[" + HexBytes(name) + "] ";
  return all;
}

struct SourceFile {
  std::string relativePath;  // below the case's source folder; may hold a subfolder
  std::string contents;
};

std::string LastComponent(const std::string& relativePath) {
  // A 0x5C that ends a double-byte character (嘰, 乗) is no separator: the scan steps over them.
  size_t cut = std::string::npos;
  for (size_t i = 0; i < relativePath.size(); ++i) {
    if (static_cast<unsigned char>(relativePath[i]) >= 0x80) {
      ++i;
    } else if (relativePath[i] == '\\') {
      cut = i;
    }
  }
  return cut == std::string::npos ? relativePath : relativePath.substr(cut + 1);
}

// Writes the files below a fresh folder and returns their full paths, in order.
std::vector<std::string> WriteSources(const std::string& folder,
                                      const std::vector<SourceFile>& files) {
  std::vector<std::string> paths;
  for (const SourceFile& file : files) {
    std::string path = JoinPath(folder, file.relativePath);
    // Make the subfolders on the way, if any.
    for (size_t i = folder.size() + 1; i < path.size(); ++i) {
      if (static_cast<unsigned char>(path[i]) >= 0x80) {
        ++i;
      } else if (path[i] == '\\') {
        CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
      }
    }
    EXPECT_TRUE(WriteBytes(path, file.contents)) << "cannot write " << HexBytes(path);
    paths.push_back(path);
  }
  return paths;
}

// What one drop showed and left behind.
struct DropRun {
  MessageBoxSeen confirmation;
  MessageBoxSeen completion;  // no window after Cancel
  std::string logBefore;
  std::string logAfter;
};

class ToolSession : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (g_toolExe.empty()) {
      setupError_ = "no path of renamecopy.exe on the command line";
      return;
    }
    root_ = MakeFreshFolder(TempFolder(), "rc-e2e");
    appFolder_ = JoinPath(root_, "app");
    sourceRoot_ = JoinPath(root_, "sources");
    if (root_.empty() || !CreateDirectoryA(appFolder_.c_str(), nullptr) ||
        !CreateDirectoryA(sourceRoot_.c_str(), nullptr)) {
      setupError_ = "cannot make the scratch folders below " + TempFolder();
      return;
    }
    // A copy of its own, so that the output folder it makes at start is new.
    std::string exe = JoinPath(appFolder_, "renamecopy.exe");
    if (!CopyFileA(g_toolExe.c_str(), exe.c_str(), FALSE)) {
      setupError_ = "cannot copy " + g_toolExe + " to " + exe;
      return;
    }
    outputFolder_ = JoinPath(appFolder_, "output");
    // The tool's current folder at start is not its own folder: it must set that itself.
    if (!StartTool(exe, root_, &tool_, &setupError_)) return;
    HWND main = tool_.mainWindow;
    find_ = FindControl(main, native_id::编辑框1);
    replacement_ = FindControl(main, native_id::编辑框3);
    output_ = FindControl(main, native_id::编辑框2);
    log_ = FindControl(main, native_id::编辑框4);
    dropArea_ = FindControl(main, native_id::分组框3);
    if (!find_ || !replacement_ || !output_ || !log_ || !dropArea_) {
      setupError_ = "a control is missing from the main window";
      return;
    }
    // The state the window was created with, before any test changes a box.
    for (HWND box : {find_, replacement_, output_, log_}) {
      std::string text;
      ReadWindowText(box, &text);
      initialTexts_.push_back(text);
    }
    outputExistedAtStart_ = IsFolder(outputFolder_);
  }

  static void TearDownTestSuite() {
    KillTool(&tool_);
    if (!root_.empty()) RemoveTree(root_);
  }

  void SetUp() override { ASSERT_TRUE(setupError_.empty()) << setupError_; }

  // A fresh, empty folder for one case's files.
  static std::string CaseFolder(const std::string& stem) {
    std::string folder = MakeFreshFolder(sourceRoot_, stem);
    EXPECT_FALSE(folder.empty());
    return folder;
  }

  static void SetBoxes(const std::string& find, const std::string& replacement,
                       const std::string& outputFolder) {
    ASSERT_TRUE(WriteWindowText(find_, find));
    ASSERT_TRUE(WriteWindowText(replacement_, replacement));
    ASSERT_TRUE(WriteWindowText(output_, outputFolder));
  }

  // Drops `paths` onto the drop area and answers the confirmation with `answer` (IDOK or
  // IDCANCEL), then the completion box. Checks the confirmation, and that the dropped items are
  // exactly as they were.
  static void Drop(const std::vector<std::string>& paths, int answer, DropRun* run) {
    DWORD pid = tool_.process.dwProcessId;
    std::map<std::string, ItemState> sourcesBefore = CaptureStates(paths);
    ASSERT_TRUE(ReadWindowText(log_, &run->logBefore));
    ASSERT_EQ(nullptr, FindMessageBox(pid, nullptr)) << "a box of an earlier run is still open";

    FileDrag drag;
    // Inside the frame, clear of its caption; the frame has no child window.
    ASSERT_TRUE(drag.Start(paths, PointInside(dropArea_, 40, 36)));
    if (!WaitForMessageBox(pid, {}, kBoxTimeoutMs, &run->confirmation)) {
      bool ended = drag.Wait(0);
      FAIL() << "no confirmation box; the drag " << (ended ? "ended" : "is still running")
             << ", DoDragDrop gave 0x" << std::hex << drag.result() << " effect " << drag.effect();
    }
    EXPECT_TRUE(SameBytes(Confirmation(paths.size()), run->confirmation.text));
    EXPECT_TRUE(SameBytes(kCaption, run->confirmation.caption));
    EXPECT_NE(nullptr, run->confirmation.okButton);
    ASSERT_NE(nullptr, run->confirmation.cancelButton) << "the confirmation offers no Cancel";
    ASSERT_TRUE(PressButton(run->confirmation, answer));

    std::vector<HWND> known = {run->confirmation.window};
    if (answer == IDOK) {
      if (WaitForMessageBox(pid, known, kBoxTimeoutMs, &run->completion)) {
        EXPECT_TRUE(SameBytes(kCaption, run->completion.caption));
        EXPECT_EQ(nullptr, run->completion.cancelButton) << "the completion box offers Cancel";
        EXPECT_TRUE(PressButton(run->completion, IDOK));
        known.push_back(run->completion.window);
      } else {
        ADD_FAILURE() << "no completion box";
      }
    }
    ASSERT_TRUE(FinishDrop(&drag, known));
    ASSERT_TRUE(ReadWindowText(log_, &run->logAfter));

    std::map<std::string, ItemState> sourcesAfter = CaptureStates(paths);
    for (const std::string& path : paths) {
      EXPECT_TRUE(sourcesBefore[path] == sourcesAfter[path])
          << "a dropped item changed: " << HexBytes(path);
    }
  }

  // Drop returns to the drag only when the run is over. A box that comes up meanwhile is a fault:
  // it is reported and answered, so that the drop returns and the later cases still run.
  static bool FinishDrop(FileDrag* drag, std::vector<HWND> known) {
    DWORD pid = tool_.process.dwProcessId;
    DWORD start = GetTickCount();
    while (!drag->Wait(50)) {
      if (GetTickCount() - start > kDragTimeoutMs) {
        ADD_FAILURE() << "the drop did not return";
        return false;
      }
      MessageBoxSeen extra;
      if (!FindMessageBox(pid, known) || !WaitForMessageBox(pid, known, 1000, &extra)) continue;
      ADD_FAILURE() << "an unexpected box: caption " << HexBytes(extra.caption) << ", text "
                    << HexBytes(extra.text);
      PressButton(extra, extra.cancelButton ? IDCANCEL : IDOK);
      known.push_back(extra.window);
    }
    return true;
  }

  // The log text that the run added; the earlier text must stand unchanged before it.
  static std::string AddedLog(const DropRun& run) {
    EXPECT_EQ(0u, run.logAfter.compare(0, run.logBefore.size(), run.logBefore))
        << "the earlier log changed";
    return run.logAfter.size() >= run.logBefore.size() ? run.logAfter.substr(run.logBefore.size())
                                                       : std::string();
  }

  static std::string setupError_;
  static std::string root_, appFolder_, sourceRoot_, outputFolder_;
  static ToolProcess tool_;
  static HWND find_, replacement_, output_, log_, dropArea_;
  static std::vector<std::string> initialTexts_;  // 编辑框1, 编辑框3, 编辑框2, 编辑框4
  static bool outputExistedAtStart_;
};

std::string ToolSession::setupError_;
std::string ToolSession::root_, ToolSession::appFolder_, ToolSession::sourceRoot_,
    ToolSession::outputFolder_;
ToolProcess ToolSession::tool_;
HWND ToolSession::find_, ToolSession::replacement_, ToolSession::output_, ToolSession::log_,
    ToolSession::dropArea_;
std::vector<std::string> ToolSession::initialTexts_;
bool ToolSession::outputExistedAtStart_ = false;

TEST_F(ToolSession, StartsWithTheDefaultOutputFolderMadeAndTheOtherBoxesEmpty) {
  ASSERT_EQ(4u, initialTexts_.size());
  EXPECT_TRUE(SameBytes("", initialTexts_[0])) << "编辑框1";
  EXPECT_TRUE(SameBytes("", initialTexts_[1])) << "编辑框3";
  EXPECT_TRUE(SameBytes(outputFolder_, initialTexts_[2])) << "编辑框2";
  EXPECT_TRUE(SameBytes("", initialTexts_[3])) << "编辑框4";
  EXPECT_TRUE(outputExistedAtStart_) << outputFolder_ << " was not made at start";
}

TEST_F(ToolSession, CancelCopiesAndLogsNothing) {
  std::string folder = CaseFolder("cancel");
  std::vector<std::string> paths =
      WriteSources(folder, {{"a.txt", "first"}, {"文件b.txt", "second"}});
  ASSERT_NO_FATAL_FAILURE(SetBoxes("a", "x", outputFolder_));
  std::vector<std::string> outputBefore = ListNames(outputFolder_);

  DropRun run;
  ASSERT_NO_FATAL_FAILURE(Drop(paths, IDCANCEL, &run));

  EXPECT_TRUE(SameBytes(run.logBefore, run.logAfter));
  EXPECT_EQ(outputBefore, ListNames(outputFolder_));
}

// Each row is one drop: the files in drop order, the boxes, and the new name of each file.
struct RenameCase {
  const char* label;
  std::string find;
  std::string replacement;
  std::vector<SourceFile> files;
  std::vector<std::string> newNames;
};

TEST_F(ToolSession, CopiesEveryFileUnderItsNewNameInDropOrder) {
  const RenameCase cases[] = {
      {"letters fold; trail bytes 0x61, 0x41 and 0x5C are no matches and no separators",
       "a",
       "Q",
       {{"banana.txt", "b"},
        {"ABC.TXT", "upper"},
        {"俛夾a.txt", "trail bytes a and A"},
        {"嘰目录\\乗嘰.txt", "trail bytes \\"},
        {"one\\dup.txt", "the first dup"},
        {"two\\dup.txt", "the later dup wins"}},
       {"bQnQnQ.txt", "QBC.TXT", "俛夾Q.txt", "乗嘰.txt", "dup.txt", "dup.txt"}},
      {"a double-byte search text is found on character boundaries only",
       "文件",
       "档案",
       {{"文件A.txt", "1"}, {"我的文件文件.doc", "2"}, {"无关.txt", "3"}},
       {"档案A.txt", "我的档案档案.doc", "无关.txt"}},
      {"a search text whose bytes straddle two characters",
       "“",
       "X",
       {{"啊啊.txt", "straddle"}, {"“引”.txt", "quoted"}},
       {"啊啊.txt", "X引”.txt"}},
      {"an empty replacement deletes every match",
       "del-",
       "",
       {{"del-one.txt", "one"}, {"x-DEL-y-Del-.log", "log"}},
       {"one.txt", "x-y-.log"}},
      {"an empty search text keeps the names",
       "",
       "ignored",
       {{"plain name.txt", "plain"}},
       {"plain name.txt"}},
  };
  for (const RenameCase& c : cases) {
    SCOPED_TRACE(c.label);
    std::string folder = CaseFolder("rename");
    std::vector<std::string> paths = WriteSources(folder, c.files);
    std::string output = MakeFreshFolder(root_, "out");
    ASSERT_NO_FATAL_FAILURE(SetBoxes(c.find, c.replacement, output));

    DropRun run;
    ASSERT_NO_FATAL_FAILURE(Drop(paths, IDOK, &run));

    EXPECT_TRUE(SameBytes(Completion(0), run.completion.text));
    std::string expectedLog;
    std::map<std::string, std::string> expectedFiles;  // a later file of the same name wins
    for (size_t i = 0; i < c.files.size(); ++i) {
      expectedLog += LogEntry(LastComponent(c.files[i].relativePath), c.newNames[i]);
      expectedFiles[c.newNames[i]] = c.files[i].contents;
    }
    EXPECT_TRUE(SameBytes(expectedLog, AddedLog(run)));
    std::vector<std::string> expectedNames;
    for (const auto& file : expectedFiles) expectedNames.push_back(file.first);
    EXPECT_EQ(expectedNames, ListNames(output)) << Joined(ListNames(output));
    for (const auto& file : expectedFiles) {
      std::string copied;
      EXPECT_TRUE(ReadBytes(JoinPath(output, file.first), &copied)) << HexBytes(file.first);
      EXPECT_TRUE(SameBytes(file.second, copied)) << HexBytes(file.first);
    }
  }
}

// A file held open without sharing: the "in use" destination.
class HeldOpen {
 public:
  explicit HeldOpen(const std::string& path)
      : handle_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~HeldOpen() { Release(); }
  bool held() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Release() {
    if (held()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

TEST_F(ToolSession, FailedCopiesAreLoggedWithTheReasonAndCountedWhileTheRunGoesOn) {
  std::string folder = CaseFolder("failures");
  std::string output = MakeFreshFolder(root_, "out");
  std::vector<std::string> paths = WriteSources(folder, {{"good1.txt", "good one"},
                                                         {"文件夹\\inside.txt", "not listed"},
                                                         {"busy.txt", "new contents"},
                                                         {"readonly.txt", "new contents"},
                                                         {"good2.txt", "good two"}});
  // The folder is dropped itself, not the file in it.
  paths[1] = JoinPath(folder, "文件夹");
  std::string busy = JoinPath(output, "busy.txt");
  std::string readOnly = JoinPath(output, "readonly.txt");
  ASSERT_TRUE(WriteBytes(busy, "in use, must stay"));
  ASSERT_TRUE(WriteBytes(readOnly, "read-only, must stay"));
  ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
  ItemState busyBefore = CaptureState(busy);
  ItemState readOnlyBefore = CaptureState(readOnly);

  // The reasons the system gives for the same failures, met on scratch files first.
  std::string scratch = MakeFreshFolder(root_, "reasons");
  std::string busyDecoy = JoinPath(scratch, "busy.txt");
  std::string readOnlyDecoy = JoinPath(scratch, "readonly.txt");
  ASSERT_TRUE(WriteBytes(busyDecoy, "x"));
  ASSERT_TRUE(WriteBytes(readOnlyDecoy, "x"));
  ASSERT_TRUE(SetFileAttributesA(readOnlyDecoy.c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_FALSE(CopyFileA(paths[1].c_str(), JoinPath(scratch, "folder").c_str(), FALSE));
  std::string folderReason = SystemReason(GetLastError());
  std::string busyReason;
  {
    HeldOpen hold(busyDecoy);
    ASSERT_TRUE(hold.held());
    ASSERT_FALSE(CopyFileA(paths[2].c_str(), busyDecoy.c_str(), FALSE));
    busyReason = SystemReason(GetLastError());
  }
  // Wine run by root writes over read-only files: the platform decides, the tool reports.
  bool readOnlyRefused = !CopyFileA(paths[3].c_str(), readOnlyDecoy.c_str(), FALSE);
  std::string readOnlyReason = SystemReason(GetLastError());
  if (!readOnlyRefused) {
    std::printf("note: this system copies onto read-only files; that case expects a copy\n");
  }

  ASSERT_NO_FATAL_FAILURE(SetBoxes("zzz", "", output));
  DropRun run;
  HeldOpen hold(busy);
  ASSERT_TRUE(hold.held());
  ASSERT_NO_FATAL_FAILURE(Drop(paths, IDOK, &run));
  hold.Release();

  EXPECT_TRUE(SameBytes(Completion(readOnlyRefused ? 3 : 2), run.completion.text));
  EXPECT_TRUE(SameBytes(
      LogEntry("good1.txt", "good1.txt") + FailedLogEntry("文件夹", "文件夹", folderReason) +
          FailedLogEntry("busy.txt", "busy.txt", busyReason) +
          (readOnlyRefused ? FailedLogEntry("readonly.txt", "readonly.txt", readOnlyReason)
                           : LogEntry("readonly.txt", "readonly.txt")) +
          LogEntry("good2.txt", "good2.txt"),
      AddedLog(run)));
  EXPECT_EQ((std::vector<std::string>{"busy.txt", "good1.txt", "good2.txt", "readonly.txt"}),
            ListNames(output))
      << Joined(ListNames(output));
  EXPECT_TRUE(busyBefore == CaptureState(busy)) << "the file in use changed";
  if (readOnlyRefused) {
    EXPECT_TRUE(readOnlyBefore == CaptureState(readOnly)) << "the read-only file changed";
  } else {
    EXPECT_TRUE(SameBytes("new contents", CaptureState(readOnly).contents));
  }
  for (const char* name : {"good1.txt", "good2.txt"}) {
    std::string copied, source;
    EXPECT_TRUE(ReadBytes(JoinPath(output, name), &copied)) << name;
    EXPECT_TRUE(ReadBytes(JoinPath(folder, name), &source)) << name;
    EXPECT_TRUE(SameBytes(source, copied)) << name;
  }
}

TEST_F(ToolSession, AWritableFileOfTheSameNameIsReplaced) {
  std::string folder = CaseFolder("replace");
  std::string output = MakeFreshFolder(root_, "out");
  std::vector<std::string> paths = WriteSources(folder, {{"old-名.txt", "short"}});
  std::string existing = JoinPath(output, "new-名.txt");
  ASSERT_TRUE(WriteBytes(existing, "older and longer contents that must not survive"));
  ASSERT_NO_FATAL_FAILURE(SetBoxes("OLD", "new", output));

  DropRun run;
  ASSERT_NO_FATAL_FAILURE(Drop(paths, IDOK, &run));

  EXPECT_TRUE(SameBytes(Completion(0), run.completion.text));
  EXPECT_TRUE(SameBytes(LogEntry("old-名.txt", "new-名.txt"), AddedLog(run)));
  std::string copied;
  EXPECT_TRUE(ReadBytes(existing, &copied));
  EXPECT_TRUE(SameBytes("short", copied));
}

TEST_F(ToolSession, ARelativeOutputFolderLiesInTheProgramsFolder) {
  std::string folder = CaseFolder("relative");
  std::vector<std::string> paths = WriteSources(folder, {{"rel.txt", "relative"}});
  // The same folder name below the tool's start folder catches a resolution against that one.
  std::string wanted = JoinPath(appFolder_, "rel-out");
  std::string wrong = JoinPath(root_, "rel-out");
  ASSERT_TRUE(CreateDirectoryA(wanted.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA(wrong.c_str(), nullptr));
  ASSERT_NO_FATAL_FAILURE(SetBoxes("", "", "rel-out"));

  DropRun run;
  ASSERT_NO_FATAL_FAILURE(Drop(paths, IDOK, &run));

  EXPECT_TRUE(SameBytes(Completion(0), run.completion.text));
  std::string copied;
  EXPECT_TRUE(ReadBytes(JoinPath(wanted, "rel.txt"), &copied));
  EXPECT_TRUE(SameBytes("relative", copied));
  EXPECT_TRUE(ListNames(wrong).empty()) << "copied into the start folder's rel-out";
}

// Last in the suite: closing ends the process that served the drops above.
TEST_F(ToolSession, ClosingTheWindowEndsTheProgramWithExitCodeZero) {
  EXPECT_EQ(0, CloseTool(&tool_, 60000));
}

// A program whose own name holds a double-byte character with 0x5C as its second byte: its
// folder is still the one before the real separator.
TEST(ToolStart, TheRunFolderIsCutAtTheRealSeparator) {
  ASSERT_FALSE(g_toolExe.empty());
  std::string root = MakeFreshFolder(TempFolder(), "rc-e2e-start");
  ASSERT_FALSE(root.empty());
  std::string app = JoinPath(root, "工具嘰");
  ASSERT_TRUE(CreateDirectoryA(app.c_str(), nullptr));
  std::string exe = JoinPath(app, "改名乗.exe");
  ASSERT_TRUE(CopyFileA(g_toolExe.c_str(), exe.c_str(), FALSE));

  ToolProcess tool;
  std::string error;
  ASSERT_TRUE(StartTool(exe, root, &tool, &error)) << error;
  std::string shown;
  EXPECT_TRUE(ReadWindowText(FindControl(tool.mainWindow, native_id::编辑框2), &shown));
  EXPECT_TRUE(SameBytes(JoinPath(app, "output"), shown));
  EXPECT_TRUE(IsFolder(JoinPath(app, "output")));
  EXPECT_EQ(0, CloseTool(&tool, 60000));
  KillTool(&tool);
  RemoveTree(root);
}

LONG WINAPI EndOnCrash(EXCEPTION_POINTERS*) {
  TerminateProcess(GetCurrentProcess(), 3);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc > 1) g_toolExe = ToWindowsPath(argv[1]);
  // A crash of the driver must end it, not open a dialog that waits forever.
  SetUnhandledExceptionFilter(&EndOnCrash);
  return RUN_ALL_TESTS();
}
