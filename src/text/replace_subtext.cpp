// Replacing the occurrences of a search text, left to right, without overlap.
#include "text/replace_subtext.h"

#include <cstring>

#include "system/allocator.h"
#include "text/match_scan.h"
#include "text/scratch_list.h"

Text ReplaceSubtext(TextView text, TextView find, TextView replacement, int32_t startPosition,
                    int32_t maxReplacements, bool caseSensitive) {
  const char* bytes = text.Bytes();
  const int32_t length = TextLength(text);
  const int32_t findLength = TextLength(find);
  const int32_t offset = startPosition < 1 ? 0 : startPosition - 1;
  if (length == 0 || findLength == 0 || offset >= length || maxReplacements == 0) {
    return CopyText(text);
  }

  // The matches are found first, so that the result can be taken at its exact size in one block.
  ScratchList<int32_t, 128> matches;
  int32_t limit = maxReplacements;  // negative: no limit
  ScanMatches(bytes, length, find.Bytes(), findLength, !caseSensitive, offset, [&](int32_t at) {
    matches.Append(at);
    return limit < 0 || --limit != 0;
  });
  if (matches.Count() == 0) return CopyText(text);

  const char* replacementBytes = replacement.Bytes();
  const int32_t replacementLength = TextLength(replacement);
  const int64_t resultLength =
      length + static_cast<int64_t>(matches.Count()) * (replacementLength - findLength);
  if (resultLength == 0) return Text();

  char* block = static_cast<char*>(AllocateBlock(resultLength + 1));
  char* out = block;
  int32_t copiedTo = 0;
  for (int32_t i = 0; i < matches.Count(); ++i) {
    int32_t at = matches.Items()[i];
    std::memcpy(out, bytes + copiedTo, static_cast<size_t>(at - copiedTo));
    out += at - copiedTo;
    std::memcpy(out, replacementBytes, static_cast<size_t>(replacementLength));
    out += replacementLength;
    copiedTo = at + findLength;
  }
  std::memcpy(out, bytes + copiedTo, static_cast<size_t>(length - copiedTo));
  out[length - copiedTo] = '\0';
  return Text::Adopt(block);
}
