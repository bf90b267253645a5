// Cutting a text into the pieces between its delimiters.
#include "text/split_text.h"

#include "text/match_scan.h"
#include "text/scratch_list.h"
#include "text/text_block.h"

namespace {

// maxParts once settled: no limit, or the number of elements still allowed.
constexpr int32_t kNoPartLimit = -1;

// A piece of no bytes is no text.
char* NewPiece(const char* bytes, int32_t length) {
  return length > 0 ? NewTextBlock(bytes, length) : nullptr;
}

TextArray SplitWithLimit(TextView text, TextView delimiter, int32_t limit) {
  const char* bytes = text.Bytes();
  const int32_t length = TextLength(text);
  const int32_t delimiterLength = TextLength(delimiter);
  if (length == 0 || limit == 0) return TextArray();
  if (delimiterLength == 0) {
    char* whole = NewPiece(bytes, length);
    return TextArray::FromBlocks(&whole, 1);
  }

  // The elements are gathered first, so that the array block can be taken at its exact size.
  ScratchList<char*, 64> pieces;
  int32_t pieceStart = 0;
  ScanMatches(bytes, length, delimiter.Bytes(), delimiterLength, /*foldCase=*/false,
              /*start=*/0, [&](int32_t cut) {
                pieces.Append(NewPiece(bytes + pieceStart, cut - pieceStart));
                pieceStart = cut + delimiterLength;
                return limit == kNoPartLimit || --limit != 0;
              });
  // What follows the last cut is dropped once the limit has run out; a trailing delimiter leaves
  // nothing behind it and so adds no element.
  if (pieceStart < length && limit != 0) {
    pieces.Append(NewPiece(bytes + pieceStart, length - pieceStart));
  }
  return TextArray::FromBlocks(pieces.Items(), pieces.Count());
}

}  // namespace

TextArray SplitText(TextView text) {
  return SplitWithLimit(text, ",", kNoPartLimit);
}

TextArray SplitText(TextView text, TextView delimiter) {
  return SplitWithLimit(text, delimiter, kNoPartLimit);
}

TextArray SplitText(TextView text, TextView delimiter, int32_t maxParts) {
  return SplitWithLimit(text, delimiter, maxParts < 0 ? 0 : maxParts);
}
