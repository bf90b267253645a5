#pragma once

#include "text/text.h"

// Handler of the drop target's files-dropped event. `received` holds the dropped paths separated
// by "\r\n"; it stays the raiser's. Returns when the whole run is over.
void OnFilesDropped(Text& received);
