// The native window behind a unit, for the handlers that hand it to the platform.
#pragma once

#include <windows.h>

#include "ui/units.h"

// The control's native window. A unit that does not exist or has no live window ends the
// program through the fatal report.
HWND GetWindowHandle(ControlId control);
