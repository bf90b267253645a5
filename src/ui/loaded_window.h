// The windows the program has built, with the live native window and object of each unit.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/layout.h"

struct DropTarget;

struct LoadedWindow {
  const WindowLayout* layout = nullptr;  // null while the slot is free
  HWND unitWindows[kMaxUnits] = {};      // [0] is the window itself; null for non-visual units
  DropTarget* dropTargets[kMaxUnits] = {};
  HWND focusOrder[kMaxUnits] = {};  // the units Tab visits, in order
  int32_t focusCount = 0;
  HWND lastFocus = nullptr;  // the child that had the focus last, given back on activation
  // The client area's last place and size, as WM_MOVE and WM_SIZE give them: the platform sends
  // both again when the window is first shown, which is no move.
  LPARAM placeSeen = -1;
  LPARAM sizeSeen = -1;
};

// The loaded window `windowId`, or null when it is not loaded.
LoadedWindow* FindLoadedWindow(uint32_t windowId);

// The loaded window whose own native window is `window`, or null.
LoadedWindow* FindLoadedWindowByHandle(HWND window);

// A free slot for a window being built, or null when all are taken.
LoadedWindow* TakeWindowSlot(const WindowLayout* layout);

// Frees the slot; its native windows must be gone.
void FreeWindowSlot(LoadedWindow* loaded);

// Whether any window of the program still exists.
bool AnyWindowLoaded();

// The program has one window; the table is walked like a list so that idle work and shutdown
// need not know that.
inline constexpr int32_t kMaxLoadedWindows = 1;

// The loaded window in `slot`, or null when the slot is free.
LoadedWindow* LoadedWindowAt(int32_t slot);
