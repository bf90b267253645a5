// Starting programs under test as child processes and watching their windows from outside.
#pragma once

#include <windows.h>

#include <string>

#include "support/child_process_win32.h"
#include "support/hex_bytes.h"

// A Linux path ("/work/...") as Wine's Z: drive shows it; other paths are returned unchanged.
std::string WindowsPath(const std::string& path);

// The window's text, byte for byte.
std::string TextOf(HWND window);

// A crash ends the process with `code` instead of opening a dialog or exiting with 0.
void ExitOnCrash(UINT code);

// The first visible top-level window of the process with the class `className` (any class when
// null); null when none appears within `timeoutMs`.
HWND WaitForWindow(DWORD processId, const char* className, DWORD timeoutMs);

// Polls `condition` every few milliseconds until it holds or `timeoutMs` has passed.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(5);
  }
}
