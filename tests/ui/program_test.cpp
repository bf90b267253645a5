// The window layer in this process, built from the program's own layout with bindings of the
// test's, so that what reaches a handler (and when) can be seen. Fatal paths run in child copies
// of this program, whose report box is read and answered from here.
#include "ui/program.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "process_driving.h"
#include "system/runtime_error.h"
#include "text/text.h"
#include "ui/control_access.h"
#include "ui/events.h"
#include "ui/layout.h"
#include "ui/main_window.h"
#include "ui/unit_objects.h"
#include "ui/units.h"
#include "ui/window_handle.h"

namespace {

constexpr int32_t kAnswerEvent = 9;  // an event number the program itself never raises
constexpr UINT kHandlerAfterEndCode = 77;

// ---- the test layout -------------------------------------------------------------------------

struct SeenEvent {
  int32_t number;
  bool windowVisible;
  bool unitsBuilt;
};
std::vector<SeenEvent> seen;              // every event that reached a test handler, in order
std::vector<SeenEvent> seenWhileLoading;  // the same, as it stood when LoadWindow returned
bool loadResult = false;

// Raised from inside LoadWindow each time it creates a native window, through a CBT hook: if the
// hold-back failed, the test binding would answer.
int eventsTriedWhileBuilding = 0;
int eventsHandledWhileBuilding = 0;

HWND MainWindow() {
  return GetWindowHandle({kMainWindowId, kMainWindowUnitId});
}

bool AllUnitsBuilt() {
  for (ControlId unit :
       {分组框1, 编辑框1, 分组框4, 编辑框3, 分组框2, 编辑框2, 分组框3, 分组框5, 编辑框4}) {
    if (!IsWindow(GetWindowHandle(unit))) return false;
  }
  return GetDropTargetObject(拖放对象1) != nullptr;
}

int32_t RecordCreated(EventArguments&) {
  seen.push_back({kEventCreated, IsWindowVisible(MainWindow()) != 0, AllUnitsBuilt()});
  // Written while hidden: it must be there when the window is first shown.
  WriteContent(编辑框3, "建好了");
  return 0;
}

int32_t RecordMoved(EventArguments&) {
  seen.push_back({kEventMoved, IsWindowVisible(MainWindow()) != 0, true});
  return 0;
}

int32_t RecordResized(EventArguments&) {
  seen.push_back({kEventResized, IsWindowVisible(MainWindow()) != 0, true});
  return 0;
}

int32_t AnswerFortyTwo(EventArguments&) {
  return 42;
}

std::string droppedSeen;
int32_t TakeDroppedText(EventArguments& arguments) {
  droppedSeen = arguments.text->Bytes();
  // The text is the raiser's, passed by reference: a new value replaces it there.
  *arguments.text = CopyText("换过了");
  return 0;
}

const EventBinding kWindowBindings[] = {{kEventCreated, RecordCreated},
                                        {kEventMoved, RecordMoved},
                                        {kEventResized, RecordResized},
                                        {kAnswerEvent, AnswerFortyTwo}};
const EventBinding kDropBindings[] = {{kEventFilesDropped, TakeDroppedText}};

// Children arm these once their window is built: from then on any handler that runs ends the
// child with a code the parent recognises.
bool armed = false;
int32_t EndIfArmed(EventArguments&) {
  if (armed) ExitProcess(kHandlerAfterEndCode);
  return 0;
}
const EventBinding kTrapBindings[] = {
    {kEventQueryClose, EndIfArmed}, {kEventDestroyed, EndIfArmed}, {kEventMoved, EndIfArmed},
    {kEventResized, EndIfArmed},    {kEventActivated, EndIfArmed}, {kEventDeactivated, EndIfArmed},
    {kEventIdle, EndIfArmed}};

UnitLayout testUnits[kMaxUnits];
WindowLayout testLayout;

const WindowLayout* MakeTestLayout(const EventBinding* windowBindings, int32_t windowCount,
                                   const EventBinding* dropBindings, int32_t dropCount) {
  for (int32_t i = 0; i < kMainWindowUnitCount; ++i) {
    testUnits[i] = kMainWindowUnits[i];
    testUnits[i].bindings = nullptr;
    testUnits[i].bindingCount = 0;
    if (testUnits[i].unitId == 拖放对象1.unitId) {
      testUnits[i].bindings = dropBindings;
      testUnits[i].bindingCount = dropCount;
    }
  }
  testUnits[0].bindings = windowBindings;
  testUnits[0].bindingCount = windowCount;
  testLayout = {kMainWindowId, testUnits, kMainWindowUnitCount};
  return &testLayout;
}

std::string Bytes(const Text& text) {
  return text.IsNone() ? std::string("<no text>") : std::string(text.Bytes());
}

// ---- building the window ---------------------------------------------------------------------

LRESULT CALLBACK RaiseWhileBuilding(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    EventArguments none;
    ++eventsTriedWhileBuilding;
    if (RaiseEvent(kMainWindowId, 0, kAnswerEvent, none).handled) ++eventsHandledWhileBuilding;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void LoadTestWindow() {
  HHOOK hook = SetWindowsHookExA(WH_CBT, RaiseWhileBuilding, nullptr, GetCurrentThreadId());
  loadResult = LoadWindow(kMainWindowId);
  UnhookWindowsHookEx(hook);
  seenWhileLoading = seen;
}

TEST(LoadWindow, RaisesCreatedOnceWhileHiddenAfterEveryUnitThenMovedAndResized) {
  ASSERT_TRUE(loadResult);
  // The main window and its nine controls (and any window the platform made meanwhile) were
  // created with events held back.
  EXPECT_GE(eventsTriedWhileBuilding, 10);
  EXPECT_EQ(eventsHandledWhileBuilding, 0);
  ASSERT_EQ(seenWhileLoading.size(), 3u);
  EXPECT_EQ(seenWhileLoading[0].number, kEventCreated);
  EXPECT_EQ(seenWhileLoading[1].number, kEventMoved);
  EXPECT_EQ(seenWhileLoading[2].number, kEventResized);
  for (const SeenEvent& seen : seenWhileLoading) {
    EXPECT_FALSE(seen.windowVisible) << "event " << seen.number << " came after the first showing";
  }
  EXPECT_TRUE(seenWhileLoading[0].unitsBuilt);

  EXPECT_TRUE(IsWindowVisible(MainWindow()));
  EXPECT_EQ(Bytes(ReadContent(编辑框3)), "建好了");
  EXPECT_EQ(GetFocus(), GetWindowHandle(编辑框1));
  EXPECT_EQ(GetActiveWindow(), MainWindow());
}

// Looked at here: Wine does not pass WM_GETICON on to another process.
TEST(LoadWindow, SetsBothIconsFromTheIconResource) {
  HWND window = MainWindow();
  for (auto [kind, size] : {std::pair<WPARAM, LONG>{ICON_BIG, 32}, {ICON_SMALL, 16}}) {
    SCOPED_TRACE(kind == ICON_BIG ? "large icon" : "small icon");
    HICON icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, kind, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour = {};
    ASSERT_NE(info.hbmColor, nullptr);
    GetObjectA(info.hbmColor, sizeof(colour), &colour);
    EXPECT_EQ(colour.bmWidth, size);
    EXPECT_EQ(colour.bmHeight, size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
}

TEST(LoadWindow, RefusesAWindowNotInTheLayoutOrAlreadyLoaded) {
  size_t before = seen.size();
  EXPECT_FALSE(LoadWindow(kMainWindowId + 1));
  EXPECT_FALSE(LoadWindow(kMainWindowId));
  EXPECT_EQ(seen.size(), before);
}

TEST(LoadWindow, ShowingIsNoMoveButAMoveIsOne) {
  // Showing the window made the platform repeat its place and size: no event came of it.
  EXPECT_EQ(seen.size(), seenWhileLoading.size());
  HWND window = MainWindow();
  RECT outer;
  GetWindowRect(window, &outer);
  size_t before = seen.size();
  SetWindowPos(window, nullptr, outer.left + 7, outer.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(window, nullptr, outer.left, outer.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_EQ(seen.size(), before + 2);
  EXPECT_EQ(seen[before].number, kEventMoved);
  EXPECT_EQ(seen[before + 1].number, kEventMoved);
}

// ---- event dispatch --------------------------------------------------------------------------

TEST(RaiseEvent, HoldBackCounterNestsAndTextArgumentIsTheRaisers) {
  Text text = CopyText("a.txt\r\n");
  EventArguments arguments;
  arguments.text = &text;

  HoldEvents();
  HoldEvents();
  EXPECT_FALSE(RaiseEvent(kMainWindowId, 拖放对象1.unitId, kEventFilesDropped, arguments).handled);
  ReleaseEvents();
  EXPECT_FALSE(RaiseEvent(kMainWindowId, 拖放对象1.unitId, kEventFilesDropped, arguments).handled);
  EXPECT_TRUE(droppedSeen.empty());
  ReleaseEvents();

  EventOutcome outcome = RaiseEvent(kMainWindowId, 拖放对象1.unitId, kEventFilesDropped, arguments);
  EXPECT_TRUE(outcome.handled);
  EXPECT_EQ(droppedSeen, "a.txt\r\n");
  EXPECT_EQ(Bytes(text), "换过了");

  // No binding: not handled, and nothing is reported.
  EXPECT_FALSE(RaiseEvent(kMainWindowId, 拖放对象1.unitId, kEventTextDropped, arguments).handled);
}

TEST(RaiseEvent, WindowIsNamedByZeroOrItsOwnUnitIdAndGivesTheHandlersResult) {
  EventArguments none;
  for (uint32_t unitId : {0u, kMainWindowUnitId}) {
    EventOutcome outcome = RaiseEvent(kMainWindowId, unitId, kAnswerEvent, none);
    EXPECT_TRUE(outcome.handled) << std::hex << unitId;
    EXPECT_EQ(outcome.result, 42) << std::hex << unitId;
  }
}

// ---- control access --------------------------------------------------------------------------

TEST(ControlAccess, ReadContentGivesNoTextForAnEmptyBoxAndOtherwiseTheBytes) {
  struct Case {
    const char* written;  // null: no text
    const char* read;     // null: no text
  };
  const Case cases[] = {{nullptr, nullptr},
                        {"", nullptr},
                        {"   ", "   "},
                        {"D:\\工具\\改名\\output", "D:\\工具\\改名\\output"}};
  for (const Case& c : cases) {
    WriteContent(编辑框1, c.written);
    Text read = ReadContent(编辑框1);
    if (c.read == nullptr) {
      EXPECT_TRUE(read.IsNone()) << HexBytes(Bytes(read));
    } else {
      EXPECT_EQ(Bytes(read), c.read) << HexBytes(Bytes(read));
    }
  }
}

TEST(ControlAccess, ReadContentJoinsTypedLinesWithCrLf) {
  HWND log = GetWindowHandle(编辑框4);
  WriteContent(编辑框4, nullptr);
  SetFocus(log);
  for (char c : std::string("ab\rcd")) SendMessageA(log, WM_CHAR, static_cast<WPARAM>(c), 0);
  EXPECT_EQ(Bytes(ReadContent(编辑框4)), "ab\r\ncd");
}

// Where the box's own positions put the end of its text.
LRESULT EndPosition(HWND box) {
  DWORD start = 0, end = 0;
  DWORD savedStart = 0, savedEnd = 0;
  SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&savedStart),
               reinterpret_cast<LPARAM>(&savedEnd));
  SendMessageA(box, EM_SETSEL, 0, -1);
  SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  SendMessageA(box, EM_SETSEL, savedStart, savedEnd);
  return end;
}

TEST(ControlAccess, AppendTextAddsAtTheEndAndLeavesTheUsersSelectedTextAlone) {
  struct Case {
    const char* before;
    int selectFrom, selectTo;  // the user's selection, in the box's positions
    std::vector<const char*> appended;
    const char* after;
  };
  const Case cases[] = {
      {"a.txt -> b.txt", 2, 5, {"c.txt -> d.txt"}, "a.txt -> b.txtc.txt -> d.txt"},
      {"", 0, 0, {"a.txt -> b.txt", "c.txt -> d.txt"}, "a.txt -> b.txtc.txt -> d.txt"},
      {"用户写的\r\n", 0, 2, {"旧名.txt -> 新名.txt"}, "用户写的\r\n旧名.txt -> 新名.txt"},
      {"不变", 1, 2, {"", nullptr}, "不变"},
  };
  HWND log = GetWindowHandle(编辑框4);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.before);
    WriteContent(编辑框4, c.before);
    SendMessageA(log, EM_SETSEL, c.selectFrom, c.selectTo);
    for (const char* text : c.appended) AppendText(编辑框4, text);
    std::string after = Bytes(ReadContent(编辑框4));
    EXPECT_EQ(after == "<no text>" ? "" : after, c.after) << HexBytes(after);
    DWORD start = 0, end = 0;
    SendMessageA(log, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, end) << "a selection is left";
    EXPECT_EQ(static_cast<LRESULT>(end), EndPosition(log)) << "the caret is not at the end";
  }
}

// The log grows with every copied file: appending must not read, or even measure, the text it
// already holds (measuring an ANSI box converts its whole text).
LRESULT CALLBACK CountGetText(HWND, UINT, WPARAM, LPARAM);
WNDPROC editProc = nullptr;
int getTextCount = 0;
LRESULT CALLBACK CountGetText(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETTEXT || message == WM_GETTEXTLENGTH) ++getTextCount;
  return CallWindowProcA(editProc, window, message, wParam, lParam);
}

TEST(ControlAccess, AppendTextNeverReadsTheTextAndKeepsTheEndInView) {
  HWND log = GetWindowHandle(编辑框4);
  WriteContent(编辑框4, nullptr);
  editProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(log, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountGetText)));
  getTextCount = 0;
  for (int i = 0; i < 60; ++i) AppendText(编辑框4, "旧名.txt -> 新名.txt\r\n");
  SetWindowLongPtrA(log, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc));
  EXPECT_EQ(getTextCount, 0);
  LRESULT lines = SendMessageA(log, EM_GETLINECOUNT, 0, 0);
  LRESULT firstVisible = SendMessageA(log, EM_GETFIRSTVISIBLELINE, 0, 0);
  EXPECT_EQ(lines, 61);
  EXPECT_GT(firstVisible, 40) << "the end of the log is not in view";
}

TEST(ControlAccess, GetWindowHandleGivesEachControlsOwnWindowAllInTheGuiFont) {
  HGDIOBJ guiFont = GetStockObject(DEFAULT_GUI_FONT);
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(MainWindow(), WM_GETFONT, 0, 0)), guiFont);
  const std::pair<ControlId, int> controls[] = {{分组框1, 100}, {编辑框1, 110}, {编辑框2, 120},
                                                {分组框2, 130}, {分组框3, 140}, {编辑框3, 160},
                                                {分组框4, 170}, {分组框5, 180}, {编辑框4, 190}};
  for (const auto& [control, id] : controls) {
    HWND window = GetWindowHandle(control);
    EXPECT_EQ(GetDlgCtrlID(window), id);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)), guiFont) << id;
  }
}

// ---- focus -------------------------------------------------------------------------------------

TEST(Focus, ComesBackToTheBoxThatHadItWhenTheWindowIsActivatedAgain) {
  HWND window = MainWindow();
  HWND replacement = GetWindowHandle(编辑框3);
  SetForegroundWindow(window);
  SetFocus(replacement);
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                               100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(other, nullptr);
  SetForegroundWindow(other);
  EXPECT_EQ(GetActiveWindow(), other);
  EXPECT_NE(GetFocus(), replacement);
  SetForegroundWindow(window);
  EXPECT_EQ(GetActiveWindow(), window);
  EXPECT_EQ(GetFocus(), replacement);
  // Focus given to the window itself goes on to the same box.
  SetFocus(window);
  EXPECT_EQ(GetFocus(), replacement);
  DestroyWindow(other);
}

// ---- fatal reports and the end, in child processes --------------------------------------------

enum class ChildSetup { kNoWindow, kWindow };

struct ChildCase {
  const char* name;
  ChildSetup setup;
  void (*act)();
  const char* message;  // expected in the report; null for a child that must end normally
};

void ReadFromUnloadedWindow() {
  ReadContent(编辑框1);
}
void WriteToMissingUnit() {
  WriteContent({kMainWindowId, 0x16019999u}, "x");
}
void ReadFromMissingUnit() {
  ReadContent({kMainWindowId, 0x16019999u});
}
void AppendToMissingUnit() {
  AppendText({kMainWindowId, 0x16019999u}, "x");
}
void HandleOfUnloadedWindow() {
  GetWindowHandle(分组框3);
}
void RaiseForMissingWindow() {
  EventArguments none;
  RaiseEvent(kMainWindowId + 1, 0, kEventCreated, none);
}
void RaiseForMissingUnit() {
  EventArguments none;
  RaiseEvent(kMainWindowId, 0x16019999u, kEventCreated, none);
}
void PrepareUnreadableLayout() {
  static UnitLayout units[2];
  units[0] = kMainWindowUnits[0];
  units[1] = kMainWindowUnits[1];
  units[1].container = 7;  // no such unit
  static const WindowLayout broken = {kMainWindowId, units, 2};
  PrepareWindowLayout(&broken);
}

// Ends normally: after EndProgram has begun nothing reaches a handler, not the window's destroyed
// event, nor an event raised directly.
void EndTheProgram() {
  HWND window = MainWindow();
  EndProgram();
  EventArguments none;
  if (RaiseEvent(kMainWindowId, 0, kEventQueryClose, none).handled)
    ExitProcess(kHandlerAfterEndCode);
  ExitProcess(IsWindow(window) ? 5 : 0);
}

const ChildCase kChildCases[] = {
    {"read-unloaded", ChildSetup::kNoWindow, ReadFromUnloadedWindow,
     "未载入欲访问窗口组件所在的窗口"},
    {"write-missing-unit", ChildSetup::kWindow, WriteToMissingUnit, "指定窗口尚未载入"},
    {"read-missing-unit", ChildSetup::kWindow, ReadFromMissingUnit, "指定窗口尚未载入"},
    {"append-missing-unit", ChildSetup::kWindow, AppendToMissingUnit,
     "指定窗口或窗口组件不存在或尚未载入"},
    {"handle-unloaded", ChildSetup::kNoWindow, HandleOfUnloadedWindow,
     "指定窗口或窗口组件不存在或尚未载入"},
    {"event-missing-window", ChildSetup::kNoWindow, RaiseForMissingWindow, "未找到引发事件的窗口"},
    {"event-missing-unit", ChildSetup::kWindow, RaiseForMissingUnit, "未找到引发事件的窗口组件"},
    {"layout-unreadable", ChildSetup::kNoWindow, PrepareUnreadableLayout,
     "载入窗口模板数据段出错!"},
    {"end-program", ChildSetup::kWindow, EndTheProgram, nullptr},
};

int RunChild(const std::string& name) {
  for (const ChildCase& c : kChildCases) {
    if (name != c.name) continue;
    if (c.act == PrepareUnreadableLayout) {
      c.act();
      return 4;
    }
    PrepareProgram(MakeTestLayout(kTrapBindings, sizeof(kTrapBindings) / sizeof(kTrapBindings[0]),
                                  kDropBindings, 1));
    if (c.setup == ChildSetup::kWindow && !LoadWindow(kMainWindowId)) return 6;
    armed = true;
    c.act();
    return 4;  // a fatal case that came back
  }
  return 7;
}

std::string ThisProgram() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

TEST(FatalReport, EndsWithMinusOneAndNoHandlerRunsOnceItHasBegun) {
  for (const ChildCase& c : kChildCases) {
    SCOPED_TRACE(c.name);
    ChildProcess child;
    ASSERT_TRUE(child.Start(ThisProgram(), std::string("--child=") + c.name));
    if (c.message == nullptr) {
      EXPECT_EQ(child.WaitForExit(60000), 0u);
      continue;
    }
    HWND box = WaitForWindow(child.ProcessId(), "#32770", 60000);
    ASSERT_NE(box, nullptr) << "no report box";
    EXPECT_EQ(TextOf(box), "错误");
    std::string shown = TextOf(GetDlgItem(box, 0xFFFF));
    std::string expected = std::string("错误信息：") + c.message + "\r\n";
    EXPECT_NE(shown.find(expected), std::string::npos)
        << HexBytes(shown) << "\nexpected " << HexBytes(expected);
    EXPECT_EQ(shown.find("错误代码："), std::string::npos) << "a code was shown";
    if (c.setup == ChildSetup::kWindow) {
      // While the box is open the window still takes messages, but none may reach a handler.
      HWND window = WaitForWindow(child.ProcessId(), "RenameCopyMainWindow", 1000);
      ASSERT_NE(window, nullptr);
      SetWindowPos(window, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      DWORD_PTR ignored;
      SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_NORMAL, 10000, &ignored);
    }
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(child.WaitForExit(60000), 0xFFFFFFFFu);
  }
}

}  // namespace

int main(int argc, char** argv) {
  ExitOnCrash(3);
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--child=", 8) == 0) return RunChild(argv[i] + 8);
  }
  testing::InitGoogleTest(&argc, argv);
  PrepareProgram(MakeTestLayout(
      kWindowBindings, sizeof(kWindowBindings) / sizeof(kWindowBindings[0]), kDropBindings, 1));
  LoadTestWindow();
  int result = RUN_ALL_TESTS();
  EndProgram();
  return result;
}
