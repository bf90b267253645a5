// The objects that non-visual units carry, for the handlers that work with them.
#pragma once

#include "ui/units.h"

struct DropTarget;

// The DropTarget object of the unit. A unit that does not exist, is not loaded or is of another
// kind ends the program through the fatal report.
DropTarget* GetDropTargetObject(ControlId unit);
