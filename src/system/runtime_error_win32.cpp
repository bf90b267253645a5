// The fatal report: one box, then the process ends with -1.
#include <windows.h>

#include "system/runtime_error.h"

namespace {

RuntimeErrorHooks g_hooks;

// Room for the heading, the code line and any message the program raises; a longer message is
// cut rather than taken from a heap that may be what failed.
constexpr int32_t kReportCapacity = 8192;

}  // namespace

void SetRuntimeErrorHooks(const RuntimeErrorHooks& hooks) {
  g_hooks = hooks;
}

void ReportRuntimeError(int32_t code, TextView message) {
  // First of all: no handler may run once the report has begun, not even from the box's own
  // message loop.
  if (g_hooks.holdEvents != nullptr) g_hooks.holdEvents();

  char report[kReportCapacity];
  FormatRuntimeErrorReport(code, message, report, kReportCapacity);
  MessageBoxA(nullptr, report, kRuntimeErrorCaption, MB_OK | MB_ICONERROR);

  // Forgotten before it runs, so that a fatal condition inside the shutdown cannot loop back here
  // and run it twice.
  if (g_hooks.endProgram != nullptr) {
    void (*endProgram)() = g_hooks.endProgram;
    g_hooks.endProgram = nullptr;
    endProgram();
  }
  ExitProcess(static_cast<UINT>(-1));
}

void ReportAllocationFailure(int32_t byteCount) {
  // A stack buffer and wsprintfA: the heap has just refused a block.
  char message[100];
  wsprintfA(message, kAllocationFailureFormat, static_cast<int>(byteCount));
  ReportRuntimeError(0, message);
}
