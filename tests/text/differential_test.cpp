// SplitText and ReplaceSubtext against plain models that walk the text byte by byte, on many
// generated inputs built from the bytes that trouble them: backslash, letters of both cases,
// CR and LF, and bytes of 0x80 and above.
//
// RC_DIFF_SEED and RC_DIFF_COUNT override the seed and the number of inputs, to run millions on
// demand; a failure prints the seed, the input's number and its bytes in hex.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "system/allocator.h"
#include "text/replace_subtext.h"
#include "text/split_text.h"
#include "text/text_description.h"

namespace {

using MaybeText = std::optional<std::string>;  // nullopt: no text

// ---- The models: the steps as they are told, on std::string, with no cleverness. ----

bool IsLead(char byte) {
  return static_cast<unsigned char>(byte) >= 0x80;
}

std::vector<MaybeText> ModelSplit(const MaybeText& text, const MaybeText& delimiter,
                                  bool delimiterLeftOut, bool limitLeftOut, int32_t maxParts) {
  std::string t = text.value_or("");
  std::string d = delimiterLeftOut ? std::string(",") : delimiter.value_or("");
  bool hasLimit = !limitLeftOut;
  int64_t limit = maxParts < 0 ? 0 : maxParts;
  std::vector<MaybeText> out;
  int64_t length = static_cast<int64_t>(t.size());
  int64_t delimiterLength = static_cast<int64_t>(d.size());
  if (length == 0 || (hasLimit && limit == 0)) return out;
  if (delimiterLength == 0) {
    out.push_back(t);
    return out;
  }
  int64_t s = 0;
  int64_t p = 0;
  int64_t r = length;
  while (r >= delimiterLength) {
    bool equal = true;
    for (int64_t i = 0; i < delimiterLength; ++i) {
      if (t[p + i] != d[i]) equal = false;
    }
    if (equal) {
      if (p == s) {
        out.push_back(std::nullopt);
      } else {
        out.push_back(t.substr(s, p - s));
      }
      p += delimiterLength;
      r -= delimiterLength;
      s = p;
      if (hasLimit) {
        limit -= 1;
        if (limit == 0) break;
      }
    } else {
      if (IsLead(t[p]) && p + 1 == length) break;
      if (IsLead(t[p])) {
        p += 2;
        r -= 2;
      } else {
        p += 1;
        r -= 1;
      }
    }
  }
  if (s < length && (!hasLimit || limit != 0)) out.push_back(t.substr(s));
  return out;
}

unsigned char ModelFold(char byte) {
  unsigned char b = static_cast<unsigned char>(byte);
  if (b >= 0x41 && b <= 0x5A) return static_cast<unsigned char>(b + 0x20);
  return b;
}

MaybeText ModelReplace(const MaybeText& text, const MaybeText& find, const MaybeText& replacement,
                       int32_t startPosition, int32_t maxReplacements, bool caseSensitive) {
  std::string t = text.value_or("");
  std::string f = find.value_or("");
  std::string rep = replacement.value_or("");
  int64_t o = startPosition < 1 ? 0 : int64_t{startPosition} - 1;
  bool hasLimit = maxReplacements >= 0;
  int64_t limit = maxReplacements;
  int64_t tLength = static_cast<int64_t>(t.size());
  int64_t fLength = static_cast<int64_t>(f.size());
  if (tLength == 0 || fLength == 0 || o >= tLength || (hasLimit && limit == 0)) {
    if (t.empty()) return std::nullopt;
    return t;
  }
  std::string out = t.substr(0, o);
  int64_t p = o;
  int64_t r = tLength - o;
  while (r >= fLength) {
    bool equal = true;
    for (int64_t i = 0; i < fLength; ++i) {
      if (caseSensitive ? t[p + i] != f[i] : ModelFold(t[p + i]) != ModelFold(f[i])) equal = false;
    }
    if (equal) {
      out += rep;
      p += fLength;
      r -= fLength;
      if (hasLimit) {
        limit -= 1;
        if (limit == 0) break;
      }
    } else {
      if (IsLead(t[p]) && p + 1 == tLength) break;
      if (IsLead(t[p])) {
        out += t[p];
        out += t[p + 1];
        p += 2;
        r -= 2;
      } else {
        out += t[p];
        p += 1;
        r -= 1;
      }
    }
  }
  out += t.substr(p);
  if (out.empty()) return std::nullopt;
  return out;
}

// ---- Inputs ----

const unsigned char kAlphabet[] = {0x5C, 0x41, 0x61, 0x42, 0x62, '\r', '\n', ',',  0x40, 0x60,
                                   0x5A, 0x7A, '.',  0x81, 0xB0, 0xD5, 0xA1, 0x80, 0xFF, 0xE1};

class InputSource {
 public:
  explicit InputSource(uint64_t seed) : random_(seed) {}

  int32_t Between(int32_t low, int32_t high) {
    return std::uniform_int_distribution<int32_t>(low, high)(random_);
  }
  bool OneIn(int32_t n) { return Between(1, n) == 1; }

  std::string Bytes(int32_t length) {
    std::string bytes;
    for (int32_t i = 0; i < length; ++i) {
      bytes += static_cast<char>(kAlphabet[Between(0, sizeof(kAlphabet) - 1)]);
    }
    return bytes;
  }

  // No text now and then; otherwise bytes, which may be "".
  MaybeText Text(int32_t maxLength) {
    if (OneIn(12)) return std::nullopt;
    return Bytes(Between(0, maxLength));
  }

  // Half the time a piece of the text itself, so that matches are common.
  MaybeText Pattern(const MaybeText& text) {
    if (text && !text->empty() && OneIn(2)) {
      int32_t length = Between(1, 3);
      int32_t at = Between(0, static_cast<int32_t>(text->size()) - 1);
      return text->substr(static_cast<size_t>(at), static_cast<size_t>(length));
    }
    return Text(3);
  }

  int32_t Count(int32_t low, int32_t high) {
    if (OneIn(20))
      return OneIn(2) ? std::numeric_limits<int32_t>::min() : std::numeric_limits<int32_t>::max();
    return Between(low, high);
  }

 private:
  std::mt19937_64 random_;
};

const char* Bytes(const MaybeText& text) {
  return text ? text->c_str() : nullptr;
}

std::string Describe(const MaybeText& text) {
  return DescribeText(Bytes(text));
}

std::string Describe(const std::vector<MaybeText>& texts) {
  std::vector<const char*> bytes;
  for (const MaybeText& text : texts) bytes.push_back(Bytes(text));
  return DescribeTexts(bytes);
}

std::vector<MaybeText> Read(const TextArray& array) {
  std::vector<MaybeText> texts;
  for (int32_t i = 1; i <= ElementCount(array); ++i) {
    const char* bytes = ElementAt(array, i).bytes;
    texts.push_back(bytes ? MaybeText(bytes) : std::nullopt);
  }
  return texts;
}

uint64_t Setting(const char* name, uint64_t fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::strtoull(value, nullptr, 0) : fallback;
}

constexpr uint64_t kDefaultSeed = 0x5EED0936;
constexpr uint64_t kDefaultCount = 200000;
constexpr int kFailuresShown = 5;

// Each input comes from its own seed, so a failing one can be told by its number alone.
uint64_t InputSeed(uint64_t seed, uint64_t index) {
  uint64_t z = seed + 0x9E3779B97F4A7C15ull * (index + 1);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

// Every tenth input is longer, so that the many-bytes-at-a-time search runs its full loops.
int32_t TextLimit(uint64_t index) {
  return index % 10 == 9 ? 100 : 24;
}

TEST(SplitTextDifferentialTest, AgreesWithTheByteByByteModel) {
  const uint64_t seed = Setting("RC_DIFF_SEED", kDefaultSeed);
  const uint64_t count = Setting("RC_DIFF_COUNT", kDefaultCount);
  const int32_t liveAtStart = LiveBlockCount();
  int failures = 0;
  for (uint64_t index = 0; index < count && failures < kFailuresShown; ++index) {
    InputSource source(InputSeed(seed, index));
    MaybeText text = source.Text(TextLimit(index));
    MaybeText delimiter = source.Pattern(text);
    int form = source.Between(0, 3);  // 0: delimiter left out, 1: limit left out, else a limit
    int32_t maxParts = source.Count(-2, 6);
    std::vector<MaybeText> expected = ModelSplit(text, delimiter, form == 0, form <= 1, maxParts);
    std::vector<MaybeText> actual;
    {
      TextArray pieces = form == 0   ? SplitText(Bytes(text))
                         : form == 1 ? SplitText(Bytes(text), Bytes(delimiter))
                                     : SplitText(Bytes(text), Bytes(delimiter), maxParts);
      actual = Read(pieces);
    }
    if (actual != expected) {
      ++failures;
      ADD_FAILURE() << "RC_DIFF_SEED=" << seed << " input " << index << ": text " << Describe(text)
                    << ", delimiter " << (form == 0 ? std::string("left out") : Describe(delimiter))
                    << ", maxParts "
                    << (form <= 1 ? std::string("left out") : std::to_string(maxParts))
                    << "\n  model:  " << Describe(expected) << "\n  actual: " << Describe(actual);
    }
  }
  EXPECT_EQ(LiveBlockCount(), liveAtStart);
}

TEST(ReplaceSubtextDifferentialTest, AgreesWithTheByteByByteModel) {
  const uint64_t seed = Setting("RC_DIFF_SEED", kDefaultSeed);
  const uint64_t count = Setting("RC_DIFF_COUNT", kDefaultCount);
  const int32_t liveAtStart = LiveBlockCount();
  int failures = 0;
  for (uint64_t index = 0; index < count && failures < kFailuresShown; ++index) {
    InputSource source(InputSeed(seed, index));
    MaybeText text = source.Text(TextLimit(index));
    MaybeText find = source.Pattern(text);
    MaybeText replacement = source.Text(3);
    // Left out: startPosition 0 and no limit, as the per-file routine passes them.
    bool leftOut = source.OneIn(4);
    int32_t startPosition = leftOut ? 0 : source.Count(-2, TextLimit(index) + 3);
    int32_t maxReplacements = leftOut ? kNoReplacementLimit : source.Count(-2, 5);
    bool caseSensitive = source.OneIn(2);
    MaybeText expected =
        ModelReplace(text, find, replacement, startPosition, maxReplacements, caseSensitive);
    MaybeText actual;
    {
      Text result = ReplaceSubtext(Bytes(text), Bytes(find), Bytes(replacement), startPosition,
                                   maxReplacements, caseSensitive);
      if (!result.IsNone()) actual = std::string(result.Bytes());
    }
    if (actual != expected) {
      ++failures;
      ADD_FAILURE() << "RC_DIFF_SEED=" << seed << " input " << index << ": text " << Describe(text)
                    << ", find " << Describe(find) << ", replacement " << Describe(replacement)
                    << ", startPosition " << startPosition << ", maxReplacements "
                    << maxReplacements << (caseSensitive ? ", case sensitive" : ", case ignored")
                    << "\n  model:  " << Describe(expected) << "\n  actual: " << Describe(actual);
    }
  }
  EXPECT_EQ(LiveBlockCount(), liveAtStart);
}

}  // namespace
