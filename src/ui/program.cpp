// Start-up and the end of the program, normal or fatal.
#include "ui/program.h"

#include <ole2.h>
#include <windows.h>

#include "system/allocator.h"
#include "system/file_system.h"
#include "system/runtime_error.h"
#include "ui/events.h"
#include "ui/layout.h"
#include "ui/main_window.h"
#include "ui/message_loop.h"
#include "ui/units.h"
#include "ui/window_texts.h"

namespace {

bool oleInitialized = false;
bool ending = false;
void (*endRoutine)() = nullptr;

// This program has nothing to set up before its window, nor to tidy after it.
void RunInitialisation() {}
void DoNothingAtEnd() {}

// The fatal report's way out: the end routine belongs to a normal end only.
void EndProgramAfterFatalReport() {
  endRoutine = nullptr;
  EndProgram();
}

}  // namespace

void PrepareProgram(const WindowLayout* layout) {
  PrepareAllocator();
  oleInitialized = SUCCEEDED(OleInitialize(nullptr));
  EstablishRunDirectory();
  RuntimeErrorHooks hooks;
  hooks.holdEvents = HoldEvents;
  hooks.endProgram = EndProgramAfterFatalReport;
  SetRuntimeErrorHooks(hooks);
  PrepareWindowLayout(layout);

  RunInitialisation();
  endRoutine = DoNothingAtEnd;
}

int32_t StartProgram() {
  PrepareProgram(&kMainWindowLayout);
  if (!LoadWindow(kMainWindowId)) ReportRuntimeError(0, kStartWindowFailedMessage);
  RunMessageLoop();
  return 0;
}

void EndProgram() {
  if (ending) return;
  ending = true;
  HoldEvents();  // never released: no handler runs from here on
  DestroyLoadedWindows();
  ReleaseWindowLayout();
  if (endRoutine != nullptr) {
    void (*routine)() = endRoutine;
    endRoutine = nullptr;
    routine();
  }
  ReleaseWindowResources();
  if (oleInitialized) {
    oleInitialized = false;
    OleUninitialize();
  }
}
