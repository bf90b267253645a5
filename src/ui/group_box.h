// Group boxes that hold edit boxes of their own.
#pragma once

#include <windows.h>

// Makes the group box pass its children's notifications and colour requests on to its parent
// and paint its inside, which the parent's WS_CLIPCHILDREN leaves to it.
void TakeOverGroupBox(HWND box);
