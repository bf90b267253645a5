// The process entry point. The first thread becomes the user-interface thread for good.
#include <windows.h>

#include "ui/message_loop.h"
#include "ui/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  StartProgram();
  EndProgram();
  return QuitCode();
}
