#include "process_driving.h"

#include <cstdio>

std::string WindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string result = "Z:" + path;
  for (char& c : result) {
    if (c == '/') c = '\\';
  }
  return result;
}

std::string TextOf(HWND window) {
  char buffer[4096];
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(buffer),
                           SMTO_NORMAL, 30000, &length)) {
    return "<no answer>";
  }
  return std::string(buffer, static_cast<size_t>(length));
}

namespace {

UINT crashCode = 3;

LONG WINAPI EndOnCrash(EXCEPTION_POINTERS*) {
  TerminateProcess(GetCurrentProcess(), crashCode);
  return EXCEPTION_EXECUTE_HANDLER;
}

struct WindowSearch {
  DWORD processId;
  const char* className;
  HWND found;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  if (search->className != nullptr) {
    char name[64];
    GetClassNameA(window, name, sizeof(name));
    if (lstrcmpA(name, search->className) != 0) return TRUE;
  }
  search->found = window;
  return FALSE;
}

}  // namespace

void ExitOnCrash(UINT code) {
  crashCode = code;
  SetUnhandledExceptionFilter(EndOnCrash);
}

HWND WaitForWindow(DWORD processId, const char* className, DWORD timeoutMs) {
  WindowSearch search = {processId, className, nullptr};
  WaitUntil(
      [&] {
        EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      timeoutMs);
  return search.found;
}
