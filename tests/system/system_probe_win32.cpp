// A small program that the system tests start as a child: it runs one service that ends or
// depends on the process (the fatal report, the run directory) and leaves what it saw in a file.
//
//   system_probe_win32 run-directory OUT      writes the run directory, "\n", the current directory
//   system_probe_win32 fatal SCENARIO MARKER  raises a fatal report; the hooks append "held\n" and
//                                             "ended\n" to MARKER
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "system/allocator.h"
#include "system/file_system.h"
#include "system/runtime_error.h"
#include "text/text.h"
#include "text/text_array.h"

namespace {

// The title of the top-level window a fatal probe shows while its report is open.
constexpr char kProbeWindowTitle[] = "rc fatal probe window";

const char* g_markerPath = nullptr;

void AppendToFile(const char* path, const char* bytes, DWORD length) {
  HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes, length, &written, nullptr);
  CloseHandle(file);
}

void AppendText(const char* path, const char* text) {
  AppendToFile(path, text, static_cast<DWORD>(std::strlen(text)));
}

void HoldEvents() {
  AppendText(g_markerPath, "held\n");
}

void EndProgram() {
  AppendText(g_markerPath, "ended\n");
}

int RunDirectory(const char* outPath) {
  PrepareAllocator();
  EstablishRunDirectory();
  Text runDirectory = GetRunDirectory();
  char current[4096];
  DWORD length = GetCurrentDirectoryA(sizeof(current), current);
  DeleteFileA(outPath);
  AppendText(outPath, runDirectory.Bytes());
  AppendText(outPath, "\n");
  AppendToFile(outPath, current, length < sizeof(current) ? length : 0);
  return 0;
}

TextArray TwoElements() {
  char* elements[2] = {CopyText("a").Release(), CopyText("b").Release()};
  return TextArray::FromBlocks(elements, 2);
}

int Fatal(const char* scenario, const char* markerPath) {
  PrepareAllocator();
  g_markerPath = markerPath;
  RuntimeErrorHooks hooks;
  hooks.holdEvents = HoldEvents;
  hooks.endProgram = EndProgram;
  SetRuntimeErrorHooks(hooks);
  // A window of the program's own, which the report must leave enabled.
  CreateWindowA("STATIC", kProbeWindowTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);

  if (std::strcmp(scenario, "index-below-one") == 0) {
    TextArray empty;
    CheckElementIndex(empty, 0);
  } else if (std::strcmp(scenario, "index-above-range") == 0) {
    TextArray two = TwoElements();
    CheckElementIndex(two, 1);
    CheckElementIndex(two, 2);
    CheckElementIndex(two, 3);
  } else if (std::strcmp(scenario, "allocation-failure") == 0) {
    ReportAllocationFailure(1024);
  } else if (std::strcmp(scenario, "heap-refused") == 0) {
    // Within a 32-bit count, but more than a 32-bit process can ever get in one piece.
    AllocateBlock(0x7FFF0000);
  } else if (std::strcmp(scenario, "size-refused") == 0) {
    AllocateBlock(-7);
  } else {
    return 2;
  }
  AppendText(markerPath, "returned\n");
  return 3;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "run-directory") == 0) return RunDirectory(argv[2]);
  if (argc == 4 && std::strcmp(argv[1], "fatal") == 0) return Fatal(argv[2], argv[3]);
  return 2;
}
