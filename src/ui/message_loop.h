// The message loop of the user-interface thread.
#pragma once

#include <cstdint>

// Runs until the quit message arrives; returns at once when no window exists.
void RunMessageLoop();

// Whether the loop has been entered; only then does closing the last window post the quit.
bool MessageLoopStarted();

// The code that the quit message carried, the process's exit code after a normal end.
int32_t QuitCode();
