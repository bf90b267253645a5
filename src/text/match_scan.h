// Private to the text services: finds a pattern in a text from left to right, without overlap,
// only where a character starts, as the character rule steps through the text.
#pragma once

#include <cstdint>

struct MatchScan {
  const unsigned char* text = nullptr;
  int32_t length = 0;
  const unsigned char* pattern = nullptr;
  int32_t patternLength = 0;  // at least 1
  bool foldCase = false;      // A-Z count as a-z, on both sides, byte by byte
  int32_t from = 0;           // the first position a match may start at
  // A position the character rule is known to reach, never beyond `from`: everything before it
  // has been stepped over already and never needs to be looked at again.
  int32_t knownStart = 0;
};

// Prepares a scan whose stepping starts at `start`, which counts as a character start even when
// it is the second byte of a double-byte character.
MatchScan BeginMatchScan(const char* text, int32_t length, const char* pattern,
                         int32_t patternLength, bool foldCase, int32_t start);

// The position of the next match, or -1 when there is none. The scan goes on right behind it.
int32_t NextMatch(MatchScan* scan);
