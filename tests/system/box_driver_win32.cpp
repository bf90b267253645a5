#include "box_driver_win32.h"

#include <cstdio>
#include <cstring>

namespace {

struct Search {
  DWORD processId;
  const char* className;  // null: any class
  const char* title;      // null: any title
  HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  char className[64] = {};
  GetClassNameA(window, className, sizeof(className));
  if (search->className != nullptr && std::strcmp(className, search->className) != 0) return TRUE;
  if (search->title != nullptr && WindowTextOf(window) != search->title) return TRUE;
  search->found = window;
  return FALSE;
}

HWND WaitFor(Search search, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    search.found = nullptr;
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    if (GetTickCount() - start > timeoutMs) return nullptr;
    Sleep(20);
  }
}

bool ShowsIcon(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    LONG style = GetWindowLongA(child, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child) &&
        SendMessageA(child, STM_GETICON, 0, 0) != 0) {
      return true;
    }
  }
  return false;
}

}  // namespace

HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
  return WaitFor({processId, "#32770", nullptr, nullptr}, timeoutMs);
}

HWND WaitForTopLevelWindow(DWORD processId, const char* title, DWORD timeoutMs) {
  return WaitFor({processId, nullptr, title, nullptr}, timeoutMs);
}

std::string WindowTextOf(HWND window) {
  char text[4096] = {};
  int length = GetWindowTextA(window, text, sizeof(text));
  return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

BoxView ViewBox(HWND box) {
  BoxView view;
  view.caption = WindowTextOf(box);
  HWND message = GetDlgItem(box, 0xFFFF);
  if (message != nullptr) view.text = WindowTextOf(message);
  view.hasIcon = ShowsIcon(box);
  view.hasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
  view.topmost = (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  return view;
}

void AnswerBox(HWND box, BoxAnswer answer, int buttonId) {
  switch (answer) {
    case BoxAnswer::kButton:
      PostMessageA(GetDlgItem(box, buttonId), BM_CLICK, 0, 0);
      break;
    case BoxAnswer::kEscape: {
      // Into the box's own message loop, as the key would arrive: the dialog manager turns it
      // into the box's cancel command.
      GUITHREADINFO info = {};
      info.cbSize = sizeof(info);
      GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &info);
      HWND target = info.hwndFocus != nullptr ? info.hwndFocus : box;
      PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
      PostMessageA(target, WM_KEYUP, VK_ESCAPE, 0xC0010001);
      break;
    }
    case BoxAnswer::kCloseButton:
      PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case BoxAnswer::kCloseMessage:
      PostMessageA(box, WM_CLOSE, 0, 0);
      break;
  }
}
