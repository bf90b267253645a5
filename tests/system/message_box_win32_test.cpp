// The ordinary message box against the real MessageBoxA: a second thread finds the box this
// process shows, reads it and answers it as the user would.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <thread>

#include "box_driver_win32.h"
#include "system/message_box.h"

namespace {

struct Seen {
  bool boxFound = false;
  BoxView view;
  bool windowEnabledWhileOpen = true;
};

// Shows a box through `show` on this thread while a second thread views and answers it.
// `watched`, when given, is a window of this thread whose enabled state is read while the box
// is open.
int32_t ShowAndAnswer(const std::function<int32_t()>& show, BoxAnswer answer, int buttonId,
                      Seen* seen, HWND watched = nullptr) {
  std::thread user([&] {
    HWND box = WaitForMessageBox(GetCurrentProcessId());
    if (box == nullptr) return;  // the box never came; the test fails on boxFound
    seen->boxFound = true;
    seen->view = ViewBox(box);
    if (watched != nullptr) seen->windowEnabledWhileOpen = IsWindowEnabled(watched) != 0;
    AnswerBox(box, answer, buttonId);
  });
  int32_t result = show();
  user.join();
  return result;
}

// A visible top-level window of the test thread, as the program's main window would be.
class OwnWindow {
 public:
  OwnWindow()
      : window_(CreateWindowA("STATIC", "rc message box test window",
                              WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 300, 200, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr)) {}
  ~OwnWindow() { DestroyWindow(window_); }
  HWND Handle() const { return window_; }

 private:
  HWND window_;
};

TEST(ShowMessageBoxTest, ResultFollowsTheAnswer) {
  struct Case {
    const char* name;
    int32_t buttons;
    BoxAnswer answer;
    int buttonId;
    int32_t expected;
  } cases[] = {
      {"OK/Cancel: OK", kButtonsOkCancel, BoxAnswer::kButton, IDOK, kResultOk},
      {"OK/Cancel: Cancel", kButtonsOkCancel, BoxAnswer::kButton, IDCANCEL, kResultCancel},
      {"OK/Cancel: Escape", kButtonsOkCancel, BoxAnswer::kEscape, 0, kResultCancel},
      {"OK/Cancel: close button", kButtonsOkCancel, BoxAnswer::kCloseButton, 0, kResultCancel},
      {"OK/Cancel: WM_CLOSE", kButtonsOkCancel, BoxAnswer::kCloseMessage, 0, kResultCancel},
      {"OK: OK", kButtonsOk, BoxAnswer::kButton, IDOK, kResultOk},
      {"OK: Escape", kButtonsOk, BoxAnswer::kEscape, 0, kResultOk},
      {"OK: close button", kButtonsOk, BoxAnswer::kCloseButton, 0, kResultOk},
      {"OK: WM_CLOSE", kButtonsOk, BoxAnswer::kCloseMessage, 0, kResultOk},
      // The other answers MessageBoxA can give, and two it gives that have no result of their own.
      {"Abort", MB_ABORTRETRYIGNORE, BoxAnswer::kButton, IDABORT, kResultAbort},
      {"Retry", MB_ABORTRETRYIGNORE, BoxAnswer::kButton, IDRETRY, kResultRetry},
      {"Ignore", MB_ABORTRETRYIGNORE, BoxAnswer::kButton, IDIGNORE, kResultIgnore},
      {"Yes", MB_YESNOCANCEL, BoxAnswer::kButton, IDYES, kResultYes},
      {"No", MB_YESNOCANCEL, BoxAnswer::kButton, IDNO, kResultNo},
      {"Yes/No/Cancel: Cancel", MB_YESNOCANCEL, BoxAnswer::kButton, IDCANCEL, kResultCancel},
      {"Try again", MB_CANCELTRYCONTINUE, BoxAnswer::kButton, IDTRYAGAIN, kResultOk},
      {"Continue", MB_CANCELTRYCONTINUE, BoxAnswer::kButton, IDCONTINUE, kResultOk},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Seen seen;
    int32_t result =
        ShowAndAnswer([&] { return ShowMessageBox("?", c.buttons); }, c.answer, c.buttonId, &seen);
    ASSERT_TRUE(seen.boxFound);
    EXPECT_EQ(result, c.expected);
  }
}

TEST(ShowMessageBoxTest, ShowsMessageAndCaptionByteForByte) {
  // "淺" and "籠" end in 0x5C, which must reach the box as part of their characters.
  const std::string twoLines = "共收到:3个文件.开始么?\r\n淺籠\\x";
  struct Case {
    const char* name;
    std::function<int32_t()> show;
    std::string caption;
    std::string text;
  } cases[] = {
      {"caption left out", [&] { return ShowMessageBox(twoLines.c_str(), kButtonsOkCancel); },
       "\xd0\xc5\xcf\xa2\xa3\xba", twoLines},
      {"caption given", [] { return ShowMessageBox("改名复制完成!", kButtonsOk, "改名"); }, "改名",
       "改名复制完成!"},
      {"no text", [] { return ShowMessageBox(TextView(), kButtonsOk, TextView()); }, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Seen seen;
    ShowAndAnswer(c.show, BoxAnswer::kButton, IDOK, &seen);
    ASSERT_TRUE(seen.boxFound);
    EXPECT_EQ(HexBytes(seen.view.caption), HexBytes(c.caption));
    EXPECT_EQ(HexBytes(seen.view.text), HexBytes(c.text));
    EXPECT_FALSE(seen.view.hasIcon);
  }
  EXPECT_EQ(HexBytes(kDefaultMessageCaption), "d0 c5 cf a2 a3 ba");
}

TEST(ShowMessageBoxTest, ButtonSetDecidesTheButtons) {
  Seen okAlone;
  ShowAndAnswer([] { return ShowMessageBox("x", kButtonsOk); }, BoxAnswer::kButton, IDOK, &okAlone);
  ASSERT_TRUE(okAlone.boxFound);
  EXPECT_FALSE(okAlone.view.hasCancel);

  Seen okCancel;
  ShowAndAnswer([] { return ShowMessageBox("x", kButtonsOkCancel); }, BoxAnswer::kButton, IDOK,
                &okCancel);
  ASSERT_TRUE(okCancel.boxFound);
  EXPECT_TRUE(okCancel.view.hasCancel);
}

TEST(ShowMessageBoxTest, TaskModalBoxDisablesTheProgramsWindowsUntilClosed) {
  OwnWindow window;
  Seen seen;
  ShowAndAnswer([] { return ShowMessageBox("x", kButtonsOkCancel); }, BoxAnswer::kButton, IDOK,
                &seen, window.Handle());
  ASSERT_TRUE(seen.boxFound);
  EXPECT_FALSE(seen.windowEnabledWhileOpen);
  EXPECT_FALSE(seen.view.topmost);
  EXPECT_TRUE(IsWindowEnabled(window.Handle()));
}

TEST(ShowMessageBoxTest, SystemModalButtonSetIsPassedWithoutTaskModal) {
  // Task-modal on top would disable the window; system-modal alone makes the box topmost.
  OwnWindow window;
  Seen seen;
  int32_t result =
      ShowAndAnswer([] { return ShowMessageBox("x", kButtonsOkCancel | MB_SYSTEMMODAL); },
                    BoxAnswer::kButton, IDCANCEL, &seen, window.Handle());
  ASSERT_TRUE(seen.boxFound);
  EXPECT_TRUE(seen.windowEnabledWhileOpen);
  EXPECT_TRUE(seen.view.topmost);
  EXPECT_EQ(result, kResultCancel);
}

}  // namespace
