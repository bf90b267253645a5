// Waits until a visible top-level window of the given class exists, for scripts that start the
// program and must know when it is on the screen.
//   ui_wait_for_window CLASS [SECONDS]   exits 0 when the window is shown, 1 on timeout
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  DWORD limitMs = static_cast<DWORD>(argc > 2 ? std::atoi(argv[2]) : 120) * 1000;
  DWORD start = GetTickCount();
  while (GetTickCount() - start < limitMs) {
    HWND window = FindWindowA(argv[1], nullptr);
    if (window != nullptr && IsWindowVisible(window)) return 0;
    Sleep(50);
  }
  return 1;
}
