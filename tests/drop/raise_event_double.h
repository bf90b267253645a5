// Stands in for the window layer's event dispatch: records every event the drop target raises and
// hands the text to a handler of the test's choosing.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "text/text.h"

struct RaisedEvent {
  uint32_t windowId = 0;
  uint32_t unitId = 0;
  int32_t eventNumber = -1;
  bool hadText = false;
  std::string text;  // the bytes the handler received
};

// Every event raised since the last ClearRaisedEvents, in order.
const std::vector<RaisedEvent>& RaisedEvents();
void ClearRaisedEvents();

// Runs inside RaiseEvent, after the event is recorded; an empty handler only records.
void SetDroppedTextHandler(std::function<void(Text& received)> handler);
