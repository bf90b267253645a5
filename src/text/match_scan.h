// Private to the text services: finds a pattern in a text from left to right, without overlap,
// only where a character starts, as the character rule steps through the text.
//
// Candidates are found many bytes at a time by testing the pattern's first and last bytes; only
// a candidate that passes both is checked for standing at a character start and then compared in
// full. The scan is a template over what the caller does with each match, so that the search
// keeps its state from one match to the next instead of starting over for each.
#pragma once

#include <cstdint>
#include <cstring>

// Where SSE2 is part of the target, sixteen positions are tested at once. The 32-bit product is
// built for processors without it and uses the word-at-a-time loop; RC_TEXT_PORTABLE_SCAN forces
// that loop on the host too, so that the tests cover it.
#if defined(__SSE2__) && !defined(RC_TEXT_PORTABLE_SCAN)
#include <emmintrin.h>
#define RC_SCAN_SSE2 1
#else
#define RC_SCAN_SSE2 0
#endif

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
#define RC_SCAN_WORDS 1
#else
#define RC_SCAN_WORDS 0
#endif

namespace match_scan {

inline bool IsAsciiLetter(unsigned char byte) {
  return static_cast<unsigned char>((byte | 0x20) - 'a') < 26;
}

inline unsigned char FoldByte(unsigned char byte) {
  return static_cast<unsigned char>(static_cast<unsigned>(byte - 'A') < 26u ? byte | 0x20 : byte);
}

// A byte b passes the test of one pattern byte when (b | orMask) == target. Folding a letter is
// an OR of 0x20 on both sides; every other byte must be equal as it stands.
struct ByteTest {
  unsigned char orMask;
  unsigned char target;
};

inline ByteTest MakeByteTest(unsigned char patternByte, bool foldCase) {
  if (foldCase && IsAsciiLetter(patternByte)) {
    return {0x20, static_cast<unsigned char>(patternByte | 0x20)};
  }
  return {0, patternByte};
}

inline bool Passes(unsigned char byte, ByteTest test) {
  return (byte | test.orMask) == test.target;
}

struct Scan {
  const unsigned char* text;
  const unsigned char* pattern;
  int32_t patternLength;
  bool foldCase;
  // The first position a match may start at: the scan goes on right behind each match.
  int32_t from;
  // A position the character rule is known to reach, never beyond the next candidate.
  int32_t knownStart;
};

// Whether the character rule, stepping from knownStart, lands on `position`. A byte below 0x80
// is always followed by a character start, and from there a run of bytes of 0x80 and above is
// taken two by two; so the position is a start exactly when the run of such bytes right before
// it, counted back no further than the known start, is even. Candidates come in ascending order,
// so each byte is counted back over at most once.
inline bool IsCharacterStart(Scan* scan, int32_t position) {
  if (position == scan->knownStart || scan->text[position - 1] < 0x80) {
    scan->knownStart = position;
    return true;
  }
  int32_t runStart = position - 1;
  while (runStart > scan->knownStart && scan->text[runStart - 1] >= 0x80) --runStart;
  bool start = ((position - runStart) & 1) == 0;
  // When it is not a start, the byte before it leads a double-byte character that it ends, so
  // the next byte is one.
  scan->knownStart = start ? position : position + 1;
  return start;
}

// The bytes between the first and the last; those two have passed their tests already.
inline bool InnerBytesMatch(const Scan& scan, int32_t position) {
  const unsigned char* at = scan.text + position;
  const int32_t end = scan.patternLength - 1;
  if (!scan.foldCase) {
    for (int32_t i = 1; i < end; ++i) {
      if (at[i] != scan.pattern[i]) return false;
    }
    return true;
  }
  for (int32_t i = 1; i < end; ++i) {
    if (FoldByte(at[i]) != FoldByte(scan.pattern[i])) return false;
  }
  return true;
}

// Checks a candidate whose first and last bytes passed their tests and hands a match on; *stop
// tells that the caller wants no more matches.
template <typename OnMatch>
inline void TakeCandidate(Scan* scan, int32_t position, OnMatch& onMatch, bool* stop) {
  if (position < scan->from || !IsCharacterStart(scan, position) ||
      !InnerBytesMatch(*scan, position)) {
    return;
  }
  scan->from = position + scan->patternLength;
  scan->knownStart = scan->from;
  *stop = !onMatch(position);
}

#if RC_SCAN_WORDS
using Word = uintptr_t;
constexpr int32_t kWordBytes = sizeof(Word);
constexpr Word kOnes = ~Word{0} / 0xFF;
constexpr Word kHighBits = kOnes * 0x80;

inline Word LoadWord(const unsigned char* at) {
  Word word;
  std::memcpy(&word, at, sizeof(word));
  return word;
}

inline int32_t LowestSetBit(Word word) {
  if constexpr (sizeof(Word) == sizeof(unsigned long long)) {
    return __builtin_ctzll(word);
  } else {
    return __builtin_ctz(word);
  }
}

// Sets the high bit of every zero byte of `word`. A byte just above a zero byte may be marked
// too, so each candidate is tested again byte by byte; no zero byte is ever missed.
inline Word ZeroBytes(Word word) {
  return (word - kOnes) & ~word & kHighBits;
}

inline Word PassingBytes(Word word, ByteTest test) {
  return ZeroBytes((word | kOnes * test.orMask) ^ (kOnes * test.target));
}
#endif

}  // namespace match_scan

// Calls onMatch(position) for each match of `pattern` (patternLength at least 1) in the `length`
// bytes of `text`, from left to right, until it returns false. Stepping starts at `start`, which
// counts as a character start even when it is the second byte of a double-byte character. With
// foldCase, A-Z count as a-z on both sides, byte by byte.
template <typename OnMatch>
void ScanMatches(const char* text, int32_t length, const char* pattern, int32_t patternLength,
                 bool foldCase, int32_t start, OnMatch onMatch) {
  using namespace match_scan;
  Scan scan{reinterpret_cast<const unsigned char*>(text),
            reinterpret_cast<const unsigned char*>(pattern),
            patternLength,
            foldCase,
            start,
            start};
  const unsigned char* bytes = scan.text;
  const int32_t tailOffset = patternLength - 1;
  const int32_t last = length - patternLength;  // the last position a match fits at
  const ByteTest head = MakeByteTest(scan.pattern[0], foldCase);
  const ByteTest tail = MakeByteTest(scan.pattern[tailOffset], foldCase);
  bool stop = false;
  int32_t i = start;

#if RC_SCAN_SSE2
  {
    const __m128i headOr = _mm_set1_epi8(static_cast<char>(head.orMask));
    const __m128i headTarget = _mm_set1_epi8(static_cast<char>(head.target));
    const __m128i tailOr = _mm_set1_epi8(static_cast<char>(tail.orMask));
    const __m128i tailTarget = _mm_set1_epi8(static_cast<char>(tail.target));
    // One bit for each of the sixteen positions from `at` whose first and last bytes pass.
    auto hitMask = [&](int32_t at) {
      __m128i heads = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
      __m128i tails = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at + tailOffset));
      __m128i hits = _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(heads, headOr), headTarget),
                                   _mm_cmpeq_epi8(_mm_or_si128(tails, tailOr), tailTarget));
      return static_cast<uint32_t>(_mm_movemask_epi8(hits));
    };
    // Thirty-two positions a round while they last, then sixteen.
    for (int32_t step = 32; step >= 16; step -= 16) {
      while (i <= last - (step - 1)) {
        uint32_t mask = step == 32 ? hitMask(i) | hitMask(i + 16) << 16 : hitMask(i);
        while (mask != 0) {
          TakeCandidate(&scan, i + __builtin_ctz(mask), onMatch, &stop);
          if (stop) return;
          mask &= mask - 1;
        }
        i = scan.from > i + step ? scan.from : i + step;
      }
    }
  }
#endif

#if RC_SCAN_WORDS
  while (i <= last - (kWordBytes - 1)) {
    Word hits = PassingBytes(LoadWord(bytes + i), head) &
                PassingBytes(LoadWord(bytes + i + tailOffset), tail);
    while (hits != 0) {
      int32_t position = i + LowestSetBit(hits) / 8;
      if (Passes(bytes[position], head) && Passes(bytes[position + tailOffset], tail)) {
        TakeCandidate(&scan, position, onMatch, &stop);
        if (stop) return;
      }
      hits &= hits - 1;
    }
    i = scan.from > i + kWordBytes ? scan.from : i + kWordBytes;
  }
#endif

  for (; i <= last; ++i) {
    if (Passes(bytes[i], head) && Passes(bytes[i + tailOffset], tail)) {
      TakeCandidate(&scan, i, onMatch, &stop);
      if (stop) return;
    }
  }
}
