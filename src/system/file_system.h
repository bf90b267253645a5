// The program's contact with the file system.
#pragma once

#include "text/text.h"

// Reads the program file's path, cuts it before its last "\" (double-byte aware) and makes the
// result the current directory. Called once at start-up.
void EstablishRunDirectory();

// A new copy of the run directory, with no trailing "\"; no text when it is empty.
Text GetRunDirectory();

// Creates the last element of `path`; false when it exists already or cannot be made.
bool MakeDirectory(TextView path);

// Copies `source` to `destination`, replacing an existing file. On failure returns false and,
// when `reason` is given, puts the system's text for the failure there (its message with trailing
// line breaks and blanks removed, or the decimal error code when the system has no text).
bool CopyFileOver(TextView source, TextView destination, Text* reason = nullptr);
