// Event dispatch. Handlers run synchronously on the one thread; nothing is queued, so an event
// raised inside a handler (from a message box's loop, say) is handled at once, nested.
#include "ui/events.h"

#include "system/runtime_error.h"
#include "ui/layout.h"
#include "ui/loaded_window.h"
#include "ui/window_texts.h"

namespace {

int32_t holdBackCount = 0;

}  // namespace

void HoldEvents() {
  ++holdBackCount;
}

void ReleaseEvents() {
  --holdBackCount;
}

EventOutcome RaiseEvent(uint32_t windowId, uint32_t unitId, int32_t eventNumber,
                        EventArguments& arguments) {
  EventOutcome outcome;
  if (holdBackCount > 0) return outcome;
  LoadedWindow* loaded = FindLoadedWindow(windowId);
  if (loaded == nullptr) ReportRuntimeError(0, kEventWindowMissingMessage);
  int32_t index = FindUnitIndex(*loaded->layout, unitId);
  if (index < 0) ReportRuntimeError(0, kEventUnitMissingMessage);
  const UnitLayout& unit = loaded->layout->units[index];
  switch (unit.kind) {
    case UnitKind::kWindow:
    case UnitKind::kEditBox:
    case UnitKind::kGroupBox:
    case UnitKind::kDropTarget:
      break;
    default:
      ReportRuntimeError(0, kEventUnitInvalidMessage);
  }
  EventHandler handler = FindBinding(unit, eventNumber);
  if (handler == nullptr) return outcome;
  outcome.result = handler(arguments);
  outcome.handled = true;
  return outcome;
}
