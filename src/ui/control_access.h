// Reading and writing the edit boxes. The boxes own their contents; nothing is kept here.
#pragma once

#include "text/text.h"
#include "ui/units.h"

// The box's current text as a new owned text; no text when the box is empty.
Text ReadContent(ControlId box);

// Replaces the box's whole text; no text empties it.
void WriteContent(ControlId box, TextView text);

// Puts `text` at the very end of the box (the user's selection is dropped, not replaced) and
// scrolls the end into view. Adds nothing before or after it.
void AppendText(ControlId box, TextView text);
