// The main window's keys: Tab order, Esc to close, Enter and F1 kept from the controls.
#pragma once

#include <windows.h>

#include "ui/loaded_window.h"

// Looks at a message before it is dispatched. True when the window handled the key and the
// message must not reach the focused control.
bool HandleWindowKey(const MSG& message);

// Moves the focus to the next (or previous) unit of the window's focus order, wrapping around.
void MoveFocus(LoadedWindow& loaded, bool backwards);

// The child to give the focus to when the window is activated: the one that had it last, or the
// first of the focus order.
HWND ChooseFocusOnActivation(const LoadedWindow& loaded);
