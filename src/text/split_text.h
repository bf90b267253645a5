#pragma once

#include <cstdint>

#include "text/text_array.h"

// Cuts `text` at each occurrence of `delimiter`, matched byte for byte where a character starts.
// Empty pieces between delimiters are no text; a trailing delimiter adds no element.
TextArray SplitText(TextView text);                                        // delimiter ","
TextArray SplitText(TextView text, TextView delimiter);                    // no limit
TextArray SplitText(TextView text, TextView delimiter, int32_t maxParts);  // below 0 counts as 0
