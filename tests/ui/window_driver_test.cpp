// The real program under Wine, driven from this second process as a user would: its window's
// place, looks, controls, keys, focus, start-up state and the ways it closes.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "process_driving.h"

namespace {

constexpr char kClassName[] = "RenameCopyMainWindow";
constexpr DWORD kStartTimeoutMs = 60000;
constexpr DWORD kStepTimeoutMs = 10000;

std::string programBuilt;  // the Windows path of renamecopy.exe, from the command line
std::string programCopy;   // the copy the tests start, in a folder of their own

// The copy runs from a folder with a Chinese name, so that the run directory and the output
// directory go through code page 936 on their way into the box.
std::string PrepareProgramCopy() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder =
      std::string(temp) + "改名复制 界面测试" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string copy = folder + "\\renamecopy.exe";
  if (!CopyFileA(programBuilt.c_str(), copy.c_str(), FALSE)) return "";
  return copy;
}

std::string FolderOf(const std::string& path) {
  return path.substr(0, path.rfind('\\'));
}

// A started copy of the program with its window found and its controls looked up by their
// native ids, each under the container it must be in.
struct RunningTool {
  ChildProcess process;
  HWND window = nullptr;

  bool Start() {
    if (!process.Start(programCopy)) return false;
    window = WaitForWindow(process.ProcessId(), kClassName, kStartTimeoutMs);
    // Visible comes before the first activation has finished: wait until the program answers.
    DWORD_PTR ignored;
    return window != nullptr &&
           SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kStartTimeoutMs, &ignored) != 0;
  }
  HWND Control(int id) const { return GetDlgItem(window, id); }
  HWND Edit(int groupId, int editId) const { return GetDlgItem(Control(groupId), editId); }
  HWND Focus() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(process.ThreadId(), &info)) return nullptr;
    return info.hwndFocus;
  }
  bool WaitForFocus(HWND expected) const {
    return WaitUntil([&] { return Focus() == expected; }, kStepTimeoutMs);
  }
};

// Native ids: 100 for the first unit after the window in creation order, then 10 apart.
constexpr int kGroup1 = 100, kEdit1 = 110, kEdit2 = 120, kGroup2 = 130, kGroup3 = 140;
constexpr int kEdit3 = 160, kGroup4 = 170, kGroup5 = 180, kEdit4 = 190;

INPUT Key(WORD key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

// Presses `key` with the modifiers held, as the keyboard would send it to the foreground window.
void Press(HWND window, WORD key, std::vector<WORD> modifiers = {}) {
  SetForegroundWindow(window);
  std::vector<INPUT> inputs;
  for (WORD m : modifiers) inputs.push_back(Key(m, false));
  inputs.push_back(Key(key, false));
  inputs.push_back(Key(key, true));
  for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) inputs.push_back(Key(*m, true));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

RECT PlaceIn(HWND control, HWND container) {
  RECT place;
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&place), 2);
  return place;
}

struct ControlRow {
  const char* name;
  int id;
  int containerId;  // 0: the main window
  RECT place;       // relative to the container's client area: left, top, right, bottom
  bool isEdit;
  LONG style;  // WS_VISIBLE included: every control is shown with the window
  const char* caption;
};

constexpr LONG kGroupStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_GROUPBOX | BS_LEFT;
constexpr LONG kLineStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr LONG kLogStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | ES_MULTILINE |
                           ES_AUTOVSCROLL | ES_WANTRETURN;

const ControlRow kControls[] = {
    {"分组框1",
     kGroup1,
     0,
     {3, 7, 483, 63},
     false,
     kGroupStyle,
     "要从文件名中替换的文字(不区分大小写):"},
    {"编辑框1", kEdit1, kGroup1, {10, 15, 466, 47}, true, kLineStyle, ""},
    {"分组框4",
     kGroup4,
     0,
     {4, 66, 484, 122},
     false,
     kGroupStyle,
     "将上面文字替换为(为空则是删除):"},
    {"编辑框3", kEdit3, kGroup4, {10, 15, 466, 47}, true, kLineStyle, ""},
    {"分组框2", kGroup2, 0, {4, 125, 484, 181}, false, kGroupStyle, "重命名后文件输出目录:"},
    {"编辑框2", kEdit2, kGroup2, {10, 15, 466, 47}, true, kLineStyle, nullptr},
    {"分组框3",
     kGroup3,
     0,
     {5, 186, 485, 250},
     false,
     kGroupStyle,
     "将要改名的文件拖拽到框内(可多个) 拖拽完成立刻开始复制"},
    {"分组框5", kGroup5, 0, {5, 254, 485, 449}, false, kGroupStyle, "替换日志"},
    {"编辑框4", kEdit4, kGroup5, {5, 15, 473, 191}, true, kLogStyle, ""},
};

TEST(MainWindow, LooksKeysAndFocusAsLaidOutAndEscCloses) {
  RunningTool tool;
  ASSERT_TRUE(tool.Start()) << "the window did not appear";
  HWND window = tool.window;

  // Outer size and centred place on the 1024x768 screen.
  RECT outer;
  GetWindowRect(window, &outer);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
  EXPECT_EQ(outer.left, 262);
  EXPECT_EQ(outer.top, 144);
  EXPECT_EQ(outer.right - outer.left, 499);
  EXPECT_EQ(outer.bottom - outer.top, 480);

  // Fixed dialog frame, caption, system menu and minimise box; no sizing, no maximising, no
  // owner, not topmost.
  LONG style = GetWindowLongA(window, GWL_STYLE);
  LONG required = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_DLGFRAME | WS_CLIPCHILDREN;
  EXPECT_EQ(style & required, required) << std::hex << style;
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_POPUP | WS_CHILD | WS_VSCROLL), 0)
      << std::hex << style;
  LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
  EXPECT_EQ(exStyle & ~WS_EX_WINDOWEDGE, 0) << std::hex << exStyle;  // the system adds the edge
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
  EXPECT_EQ(GetMenu(window), nullptr);

  std::string caption = TextOf(window);
  EXPECT_EQ(caption, "青柠小工具 - 改名复制") << HexBytes(caption);

  // Every control: under its container, at its place, with its id, class, styles and caption.
  // (Icons and fonts are looked at in-process: Wine answers WM_GETICON and WM_GETFONT from
  // another process with null.)
  std::string expectedOutput = FolderOf(programCopy) + "\\output";
  for (const ControlRow& row : kControls) {
    SCOPED_TRACE(row.name);
    HWND container = row.containerId == 0 ? window : tool.Control(row.containerId);
    HWND control = GetDlgItem(container, row.id);
    ASSERT_NE(control, nullptr) << "not found under its container";
    EXPECT_EQ(GetDlgCtrlID(control), row.id);
    RECT place = PlaceIn(control, container);
    EXPECT_EQ(place.left, row.place.left);
    EXPECT_EQ(place.top, row.place.top);
    EXPECT_EQ(place.right, row.place.right);
    EXPECT_EQ(place.bottom, row.place.bottom);
    char className[32];
    GetClassNameA(control, className, sizeof(className));
    EXPECT_STRCASEEQ(className, row.isEdit ? "Edit" : "Button");
    EXPECT_EQ(GetWindowLongA(control, GWL_STYLE), row.style)
        << std::hex << GetWindowLongA(control, GWL_STYLE);
    EXPECT_EQ(GetWindowLongA(control, GWL_EXSTYLE), row.isEdit ? WS_EX_CLIENTEDGE : 0);
    std::string text = TextOf(control);
    std::string expected = row.caption != nullptr ? row.caption : expectedOutput;
    EXPECT_EQ(text, expected) << HexBytes(text) << "\nexpected " << HexBytes(expected);
  }

  // The edit boxes seen from the window's client area.
  const std::pair<HWND, POINT> inClient[] = {{tool.Edit(kGroup1, kEdit1), {13, 22}},
                                             {tool.Edit(kGroup4, kEdit3), {14, 81}},
                                             {tool.Edit(kGroup2, kEdit2), {14, 140}},
                                             {tool.Edit(kGroup5, kEdit4), {10, 269}}};
  for (const auto& [edit, at] : inClient) {
    RECT place = PlaceIn(edit, window);
    EXPECT_EQ(place.left, at.x);
    EXPECT_EQ(place.top, at.y);
  }
  DWORD attributes = GetFileAttributesA(expectedOutput.c_str());
  EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
      << "the output directory was not created";

  // Double-clicking the title bar does not enlarge a window that cannot be maximised.
  SendMessageA(window, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(outer.left + 100, outer.top + 8));
  RECT after;
  GetWindowRect(window, &after);
  EXPECT_TRUE(EqualRect(&after, &outer));

  HWND edit1 = tool.Edit(kGroup1, kEdit1);
  HWND edit2 = tool.Edit(kGroup2, kEdit2);
  HWND edit3 = tool.Edit(kGroup4, kEdit3);
  HWND edit4 = tool.Edit(kGroup5, kEdit4);

  // First showing: active, with the focus in 编辑框1.
  EXPECT_TRUE(tool.WaitForFocus(edit1)) << "focus at first showing: " << tool.Focus();

  // Tab visits 编辑框2, 编辑框3, 编辑框4 and 编辑框1 again; Shift+Tab goes back, wrapping.
  const std::pair<std::vector<WORD>, HWND> steps[] = {
      {{}, edit2},         {{}, edit3},         {{}, edit4},         {{}, edit1},
      {{VK_SHIFT}, edit4}, {{VK_SHIFT}, edit3}, {{VK_SHIFT}, edit2}, {{VK_SHIFT}, edit1}};
  int stepNumber = 0;
  for (const auto& [modifiers, expected] : steps) {
    ++stepNumber;
    Press(window, VK_TAB, modifiers);
    EXPECT_TRUE(tool.WaitForFocus(expected)) << "Tab step " << stepNumber;
  }
  EXPECT_EQ(TextOf(edit4), "") << "Tab reached the log box";

  // Enter in a single-line box changes nothing and keeps the focus there.
  SendMessageA(edit1, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"));
  Press(window, VK_RETURN);
  // Shift+Esc is not Esc: the window stays. Both keys are checked by a later key whose effect
  // shows, since input is handled in order.
  Press(window, VK_ESCAPE, {VK_SHIFT});
  Press(window, VK_TAB, {VK_SHIFT});
  ASSERT_TRUE(tool.WaitForFocus(edit4));
  EXPECT_EQ(TextOf(edit1), "abc");
  EXPECT_FALSE(tool.process.HasExited()) << "Shift+Esc closed the window";

  // Enter in the log box starts a new line at the caret.
  SendMessageA(edit4, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("日志"));
  SendMessageA(edit4, EM_SETSEL, 4, 4);
  Press(window, VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return TextOf(edit4) == "日志\r\n"; }, kStepTimeoutMs))
      << HexBytes(TextOf(edit4));
  Press(window, VK_ESCAPE, {VK_SHIFT});
  Press(window, 'X');
  EXPECT_TRUE(WaitUntil([&] { return TextOf(edit4).size() == 7; }, kStepTimeoutMs))
      << HexBytes(TextOf(edit4));
  EXPECT_FALSE(tool.process.HasExited()) << "Shift+Esc closed the window";

  // Esc alone closes the window like its close button, and the program ends normally.
  Press(window, VK_ESCAPE);
  EXPECT_EQ(tool.process.WaitForExit(kStartTimeoutMs), 0u);
}

// The close button and the system menu's Close both send SC_CLOSE; WM_CLOSE is what they lead to;
// Alt+F4 goes through the default key handling. Each ends the program with exit code 0. The
// output directory exists by now, so these also cover a second start.
TEST(MainWindow, EveryWayOfClosingEndsWithExitCodeZero) {
  enum class Way { kCloseCommand, kCloseMessage, kAltF4 };
  const std::pair<Way, const char*> ways[] = {
      {Way::kCloseCommand, "SC_CLOSE"}, {Way::kCloseMessage, "WM_CLOSE"}, {Way::kAltF4, "Alt+F4"}};
  std::string expectedOutput = FolderOf(programCopy) + "\\output";
  for (const auto& [way, name] : ways) {
    SCOPED_TRACE(name);
    RunningTool tool;
    ASSERT_TRUE(tool.Start());
    HWND edit1 = tool.Edit(kGroup1, kEdit1);
    ASSERT_TRUE(tool.WaitForFocus(edit1));
    EXPECT_EQ(TextOf(tool.Edit(kGroup2, kEdit2)), expectedOutput);
    switch (way) {
      case Way::kCloseCommand:
        PostMessageA(tool.window, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
      case Way::kCloseMessage:
        PostMessageA(tool.window, WM_CLOSE, 0, 0);
        break;
      case Way::kAltF4:
        Press(tool.window, VK_F4, {VK_MENU});
        break;
    }
    EXPECT_EQ(tool.process.WaitForExit(kStartTimeoutMs), 0u);
  }
}

// In a drive's root the run directory is "C:" and the default output directory "C:\output".
TEST(MainWindow, ProgramInADriveRootUsesTheDrivesOutputDirectory) {
  const std::string rootCopy = "C:\\renamecopy-ui-root-test.exe";
  ASSERT_TRUE(CopyFileA(programBuilt.c_str(), rootCopy.c_str(), FALSE));
  bool existedBefore = GetFileAttributesA("C:\\output") != INVALID_FILE_ATTRIBUTES;
  {
    ChildProcess process;
    ASSERT_TRUE(process.Start(rootCopy));
    HWND window = WaitForWindow(process.ProcessId(), kClassName, kStartTimeoutMs);
    ASSERT_NE(window, nullptr);
    HWND edit2 = GetDlgItem(GetDlgItem(window, kGroup2), kEdit2);
    EXPECT_EQ(TextOf(edit2), "C:\\output");
    DWORD attributes = GetFileAttributesA("C:\\output");
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(process.WaitForExit(kStartTimeoutMs), 0u);
  }
  DeleteFileA(rootCopy.c_str());
  if (!existedBefore) RemoveDirectoryA("C:\\output");
}

}  // namespace

int main(int argc, char** argv) {
  ExitOnCrash(3);
  testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: ui_window_test PATH-OF-renamecopy.exe\n");
    return 2;
  }
  programBuilt = WindowsPath(argv[1]);
  programCopy = PrepareProgramCopy();
  if (programCopy.empty()) {
    std::fprintf(stderr, "cannot copy %s\n", programBuilt.c_str());
    return 2;
  }
  int result = RUN_ALL_TESTS();
  std::string folder = FolderOf(programCopy);
  RemoveDirectoryA((folder + "\\output").c_str());
  DeleteFileA(programCopy.c_str());
  RemoveDirectoryA(folder.c_str());
  return result;
}
