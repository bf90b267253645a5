// Finding a message box of a given process and answering it as a user would, from a second
// thread or from the parent of the process that shows it.
#pragma once

#include <windows.h>

#include <string>

#include "support/hex_bytes.h"

// Waits until a visible message box (#32770) of process `processId` is open; null on timeout.
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs = 30000);

// Waits until a visible top-level window of process `processId` has the title `title`.
HWND WaitForTopLevelWindow(DWORD processId, const char* title, DWORD timeoutMs = 30000);

// The window's text, byte for byte.
std::string WindowTextOf(HWND window);

// What a box shows and how it is made.
struct BoxView {
  std::string caption;
  std::string text;  // the message's static control, id 0xFFFF
  bool hasIcon = false;
  bool hasCancel = false;
  bool topmost = false;
};
BoxView ViewBox(HWND box);

enum class BoxAnswer {
  kButton,       // a click on the button with the given id
  kEscape,       // the Escape key, pressed in the focused control
  kCloseButton,  // the close button of the title bar (SC_CLOSE)
  kCloseMessage  // WM_CLOSE
};
void AnswerBox(HWND box, BoxAnswer answer, int buttonId = 0);
