// The window layout, held in code: for each window its units, their places, flags and event
// bindings. Start-up makes it ready; LoadWindow builds a window from it.
#pragma once

#include <cstdint>

#include "ui/events.h"

enum class UnitKind : uint8_t { kWindow, kEditBox, kGroupBox, kDropTarget };

struct EventBinding {
  int32_t eventNumber;
  EventHandler handler;
};

struct UnitLayout {
  const char* name;  // the unit's name in the layout, e.g. "编辑框1"
  UnitKind kind;
  uint32_t unitId;
  int8_t container;  // index of the container in the window's unit table; -1 for the window
  int16_t left;      // place and size in pixels, relative to the container's client area
  int16_t top;
  int16_t width;
  int16_t height;
  bool visible;
  bool disabled;
  bool tabStop;
  int32_t tabOrder;
  bool multiLine;  // edit boxes only
  const char* caption;
  const EventBinding* bindings;
  int32_t bindingCount;
  const unsigned char* settings;  // a stored record read by the unit's kind, or null
  uint32_t settingsSize;
};

// Unit 0 is the window itself; the others follow in creation order.
struct WindowLayout {
  uint32_t windowId;
  const UnitLayout* units;
  int32_t unitCount;
};

// Room for the units of one window; the main window has eleven.
inline constexpr int32_t kMaxUnits = 16;

// Native control ids of the units after the window: 100 for the first, then 10 apart.
inline constexpr int32_t kFirstControlId = 100;
inline constexpr int32_t kControlIdStep = 10;

// The main window's units and the layout made of them.
extern const UnitLayout kMainWindowUnits[];
extern const int32_t kMainWindowUnitCount;
extern const WindowLayout kMainWindowLayout;

// Makes `layout` the program's layout after checking it; an inconsistent table ends the program
// through the fatal report. Start-up passes kMainWindowLayout; tests may pass a copy with bindings
// of their own.
void PrepareWindowLayout(const WindowLayout* layout);

// The prepared layout of the window `windowId`, or null.
const WindowLayout* FindWindowLayout(uint32_t windowId);

// Index of the unit in the layout (unit id 0 and the window's own id both name unit 0); -1 if
// there is none.
int32_t FindUnitIndex(const WindowLayout& layout, uint32_t unitId);

// The first handler bound to the event, or null.
EventHandler FindBinding(const UnitLayout& unit, int32_t eventNumber);

// Forgets the prepared layout.
void ReleaseWindowLayout();
