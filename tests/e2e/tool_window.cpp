#include "tool_window.h"

#include <algorithm>
#include <cstring>
namespace {

// Messages to the tool wait at most this long: a tool inside a long copy run does not answer.
constexpr UINT kMessageTimeoutMs = 30000;

bool IsDialogClass(HWND window) {
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  return std::strcmp(name, "#32770") == 0;
}

struct WindowSearch {
  DWORD processId;
  const std::vector<HWND>* known;
  bool wantDialog;
  HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window) ||
      std::find(search->known->begin(), search->known->end(), window) != search->known->end()) {
    return TRUE;
  }
  if (IsDialogClass(window) != search->wantDialog) return TRUE;
  // The main window is the one that holds the drop area; Wine's helper windows hold nothing.
  if (!search->wantDialog && !FindControl(window, native_id::分组框3)) return TRUE;
  search->found = window;
  return FALSE;
}

HWND FindTopLevel(DWORD processId, const std::vector<HWND>& known, bool wantDialog) {
  WindowSearch search{processId, &known, wantDialog, nullptr};
  EnumWindows(&MatchTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct ControlSearch {
  int id;
  HWND found;
};

BOOL CALLBACK MatchControl(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ControlSearch*>(param);
  if (GetDlgCtrlID(window) != search->id) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

std::string ToWindowsPath(std::string path) {
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

bool StartTool(const std::string& exePath, const std::string& currentFolder, ToolProcess* tool,
               std::string* error) {
  std::string commandLine = "\"" + exePath + "\"";
  std::vector<char> writable(commandLine.begin(), commandLine.end());
  writable.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(exePath.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      currentFolder.c_str(), &startup, &tool->process)) {
    *error = "CreateProcess failed for " + exePath + ", error " + std::to_string(GetLastError());
    return false;
  }
  // Under emulation a cold start takes seconds.
  for (int waited = 0; waited < 60000; waited += 50) {
    tool->mainWindow = FindTopLevel(tool->process.dwProcessId, {}, false);
    if (tool->mainWindow) return true;
    if (WaitForSingleObject(tool->process.hProcess, 50) == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(tool->process.hProcess, &code);
      *error = "the tool ended before showing its window, exit code " + std::to_string(code);
      return false;
    }
  }
  *error = "no visible main window after 60 s";
  return false;
}

long CloseTool(ToolProcess* tool, DWORD timeoutMs) {
  if (!tool->process.hProcess) return -1;
  PostMessageA(tool->mainWindow, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(tool->process.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(tool->process.hProcess, &code);
  KillTool(tool);
  return static_cast<long>(code);
}

void KillTool(ToolProcess* tool) {
  if (!tool->process.hProcess) return;
  if (WaitForSingleObject(tool->process.hProcess, 0) != WAIT_OBJECT_0) {
    TerminateProcess(tool->process.hProcess, 99);
    WaitForSingleObject(tool->process.hProcess, 10000);
  }
  CloseHandle(tool->process.hThread);
  CloseHandle(tool->process.hProcess);
  tool->process = PROCESS_INFORMATION{};
  tool->mainWindow = nullptr;
}

HWND FindControl(HWND parent, int id) {
  ControlSearch search{id, nullptr};
  EnumChildWindows(parent, &MatchControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool ReadWindowText(HWND window, std::string* text) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kMessageTimeoutMs,
                           &length)) {
    return false;
  }
  // The length may be an upper bound for double-byte text; the copy says how much it wrote.
  std::vector<char> buffer(length + 1);
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, buffer.size(),
                           reinterpret_cast<LPARAM>(buffer.data()), SMTO_NORMAL, kMessageTimeoutMs,
                           &copied)) {
    return false;
  }
  text->assign(buffer.data(), std::strlen(buffer.data()));
  return true;
}

bool WriteWindowText(HWND window, const std::string& text) {
  DWORD_PTR done = 0;
  return SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                             SMTO_NORMAL, kMessageTimeoutMs, &done) &&
         done == TRUE;
}

HWND FindMessageBox(DWORD processId, HWND previous) {
  return FindTopLevel(processId, {previous}, true);
}

HWND FindMessageBox(DWORD processId, const std::vector<HWND>& known) {
  return FindTopLevel(processId, known, true);
}

bool WaitForMessageBox(DWORD processId, const std::vector<HWND>& known, DWORD timeoutMs,
                       MessageBoxSeen* box) {
  *box = MessageBoxSeen{};
  DWORD start = GetTickCount();
  HWND window = nullptr;
  while (!(window = FindMessageBox(processId, known))) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(10);
  }
  box->window = window;
  while (!(box->okButton = FindControl(window, IDOK))) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(10);
  }
  // A box without Cancel may still hold a hidden Cancel button.
  HWND cancel = FindControl(window, IDCANCEL);
  box->cancelButton = cancel && IsWindowVisible(cancel) ? cancel : nullptr;
  HWND message = FindControl(window, 0xFFFF);
  return ReadWindowText(window, &box->caption) &&
         (message ? ReadWindowText(message, &box->text) : true);
}

bool PressButton(const MessageBoxSeen& box, int buttonId) {
  HWND button = buttonId == IDOK ? box.okButton : box.cancelButton;
  if (!button) return false;
  return PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                      reinterpret_cast<LPARAM>(button)) != 0;
}

bool WaitUntilGone(HWND window, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (IsWindow(window) && IsWindowVisible(window)) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(10);
  }
  return true;
}

POINT PointInside(HWND control, int insetX, int insetY) {
  RECT rect{};
  GetWindowRect(control, &rect);
  return POINT{rect.left + insetX, rect.top + insetY};
}
