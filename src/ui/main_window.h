// Building the main window from its layout, and what the window does with its own messages.
#pragma once

#include <cstdint>

// Further events of a window. No handler is bound to them in this program.
inline constexpr int32_t kEventActivated = 5;
inline constexpr int32_t kEventDeactivated = 6;
inline constexpr int32_t kEventIdle = 7;

// Builds the window `windowId` hidden with all its units, raises its created event, then its
// moved and resized events, and shows it. False when the layout has no such window or a unit
// cannot be built.
bool LoadWindow(uint32_t windowId);

// Destroys every window of the program that still exists.
void DestroyLoadedWindows();

// Releases the icons and the window class; the windows must be gone.
void ReleaseWindowResources();
