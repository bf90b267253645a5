// Drives one ordinary run of the tool for the picture in the README: a few files are dropped,
// the run is confirmed, the completion box is answered and the window is left showing the log.
// Prints "ready" once the window shows the finished run, then closes the tool after a pause.
//   demo_run <renamecopy.exe> <seconds to keep the window open>
#include <ole2.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "file_drag.h"
#include "scratch_folder.h"
#include "tool_window.h"

namespace {

int Fail(const char* what) {
  std::printf("demo: %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Fail("usage: demo_run <renamecopy.exe> <seconds>");
  OleInitialize(nullptr);
  std::string home = MakeFreshFolder(TempFolder(), "renamecopy-demo");
  std::string toolFolder = MakeFreshFolder(home, "tool");
  std::string exe = JoinPath(toolFolder, "renamecopy.exe");
  if (!CopyFileA(ToWindowsPath(argv[1]).c_str(), exe.c_str(), FALSE)) return Fail("copy exe");
  std::string photos = MakeFreshFolder(home, "photos");
  std::vector<std::string> files;
  for (const char* name : {"IMG_0001.JPG", "IMG_0002.JPG", "旅行 IMG_0003.jpg", "img_0004.jpeg"}) {
    files.push_back(JoinPath(photos, name));
    WriteBytes(files.back(), name);
  }

  ToolProcess tool;
  std::string error;
  if (!StartTool(exe, toolFolder, &tool, &error)) return Fail(error.c_str());
  WriteWindowText(FindControl(tool.mainWindow, native_id::编辑框1), "img_");
  WriteWindowText(FindControl(tool.mainWindow, native_id::编辑框3), "北京_");
  FileDrag drag;
  if (!drag.Start(files, PointInside(FindControl(tool.mainWindow, native_id::分组框3), 40, 30))) {
    return Fail("drag");
  }
  std::vector<HWND> known;
  for (int box = 0; box < 2; ++box) {
    MessageBoxSeen seen;
    if (!WaitForMessageBox(tool.process.dwProcessId, known, 60000, &seen)) return Fail("no box");
    PressButton(seen, IDOK);
    WaitUntilGone(seen.window, 10000);
    known.push_back(seen.window);
  }
  drag.Wait(30000);
  std::printf("ready\n");
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(std::atoi(argv[2])) * 1000);
  CloseTool(&tool, 10000);
  RemoveTree(home);
  OleUninitialize();
  return 0;
}
