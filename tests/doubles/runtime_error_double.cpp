// The host form of the fatal report: the report text goes to stderr, in hex so that a test can
// match its exact bytes and as it stands for a reader, and the process ends with 255, which is
// how an exit code of -1 shows on the host.
#include <unistd.h>

#include <cstdio>

#include "system/runtime_error.h"

namespace {

RuntimeErrorHooks g_hooks;

}  // namespace

void SetRuntimeErrorHooks(const RuntimeErrorHooks& hooks) {
  g_hooks = hooks;
}

void ReportRuntimeError(int32_t code, TextView message) {
  if (g_hooks.holdEvents != nullptr) g_hooks.holdEvents();
  // A fixed buffer: the report must not need the heap, which may be what failed.
  static char report[8192];
  int32_t length = FormatRuntimeErrorReport(code, message, report, sizeof(report));
  std::fprintf(stderr, "RUNTIME ERROR code=%d report-hex=", static_cast<int>(code));
  for (int32_t i = 0; i < length; ++i) {
    std::fprintf(stderr, "%02x", static_cast<unsigned>(static_cast<unsigned char>(report[i])));
  }
  std::fprintf(stderr, "\nreport:\n%s\n", report);
  std::fflush(stderr);
  if (g_hooks.endProgram != nullptr) {
    void (*endProgram)() = g_hooks.endProgram;
    g_hooks.endProgram = nullptr;
    endProgram();
  }
  _exit(255);
}

void ReportAllocationFailure(int32_t byteCount) {
  char message[100];
  FormatAllocationFailure(byteCount, message, sizeof(message));
  ReportRuntimeError(0, message);
}
