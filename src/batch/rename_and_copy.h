#pragma once

#include "text/text.h"

// Copies one dropped item into the output directory under its new name and logs it.
// Returns whether the copy succeeded.
bool RenameAndCopyFile(TextView path);
