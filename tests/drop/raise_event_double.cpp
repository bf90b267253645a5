// The test stand-in for RaiseEvent: the real dispatch needs the whole main window.
#include "raise_event_double.h"

#include <utility>

#include "ui/events.h"

namespace {

std::vector<RaisedEvent>& Events() {
  static std::vector<RaisedEvent> events;
  return events;
}

std::function<void(Text&)>& Handler() {
  static std::function<void(Text&)> handler;
  return handler;
}

}  // namespace

const std::vector<RaisedEvent>& RaisedEvents() {
  return Events();
}

void ClearRaisedEvents() {
  Events().clear();
}

void SetDroppedTextHandler(std::function<void(Text& received)> handler) {
  Handler() = std::move(handler);
}

EventOutcome RaiseEvent(uint32_t windowId, uint32_t unitId, int32_t eventNumber,
                        EventArguments& arguments) {
  RaisedEvent event;
  event.windowId = windowId;
  event.unitId = unitId;
  event.eventNumber = eventNumber;
  event.hadText = arguments.text != nullptr;
  if (arguments.text != nullptr) event.text = arguments.text->Bytes();
  Events().push_back(event);
  // A copy, so that a handler that replaces the handler (a nested drop) does not pull the running
  // one out from under itself.
  std::function<void(Text&)> handler = Handler();
  if (handler && arguments.text != nullptr) handler(*arguments.text);
  EventOutcome outcome;
  outcome.handled = true;
  return outcome;
}
