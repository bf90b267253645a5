// Event dispatch: every event of a window or unit reaches its bound handler through RaiseEvent.
#pragma once

#include <cstdint>

#include "text/text.h"

// Events of the main window.
inline constexpr int32_t kEventCreated = 0;
inline constexpr int32_t kEventQueryClose = 1;
inline constexpr int32_t kEventDestroyed = 2;
inline constexpr int32_t kEventMoved = 3;
inline constexpr int32_t kEventResized = 4;
// Events of a drop target.
inline constexpr int32_t kEventTextDropped = 0;
inline constexpr int32_t kEventHtmlDropped = 1;
inline constexpr int32_t kEventUrlDropped = 2;
inline constexpr int32_t kEventFilesDropped = 3;

struct EventArguments {
  Text* text = nullptr;  // a text argument, passed by reference: the raiser owns and releases it
};

using EventHandler = int32_t (*)(EventArguments& arguments);

struct EventOutcome {
  bool handled = false;  // whether a handler ran
  int32_t result = 0;    // its result, when one was asked
};

// Runs the handler bound to the event synchronously, unless events are held back.
EventOutcome RaiseEvent(uint32_t windowId, uint32_t unitId, int32_t eventNumber,
                        EventArguments& arguments);

// The hold-back counter: while it is above 0, no event reaches a handler.
void HoldEvents();
void ReleaseEvents();
