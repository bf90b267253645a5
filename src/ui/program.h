// The program's life: the start routine and the end.
#pragma once

#include <cstdint>

#include "ui/layout.h"

// The start routine's steps before the window: the allocator, OLE, the run directory, the fatal
// report's hooks, the layout (start-up passes kMainWindowLayout; tests pass their own), the
// initialisation routine and the end routine.
void PrepareProgram(const WindowLayout* layout);

// Prepares the services, builds and shows the main window and runs the message loop until the
// window is closed. Returns 0.
int32_t StartProgram();

// Holds events back for good, releases the windows and the layout, calls the end routine once,
// releases icons and the window class, and uninitialises OLE last.
void EndProgram();
