#pragma once

#include <cstdint>

#include "text/text.h"

// Value of maxReplacements for "no limit" (any negative value means the same).
inline constexpr int32_t kNoReplacementLimit = -1;

// Replaces the occurrences of `find` in `text` by `replacement`, left to right, without overlap;
// a match starts only where a character starts. `startPosition` counts bytes from 1 (below 1: the
// first byte). With caseSensitive false, only A-Z and a-z fold, byte by byte. The result is no
// text when it is empty.
Text ReplaceSubtext(TextView text, TextView find, TextView replacement, int32_t startPosition,
                    int32_t maxReplacements, bool caseSensitive);
