// The colours of the controls: black on white in the edit boxes, black on the button face
// elsewhere, whatever the system's window colours are.
#pragma once

#include <windows.h>

// Answers a WM_CTLCOLOR* message for a control drawing into `context`.
LRESULT ChooseControlColors(UINT message, HDC context);
