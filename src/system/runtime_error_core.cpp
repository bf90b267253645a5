// The parts of the fatal report that need no platform: the index check and the report's text.
#include <cstring>

#include "system/runtime_error.h"

namespace {

// Appends `bytes` to the report, cutting what does not fit before the terminator.
void Append(const char* bytes, char* out, int32_t capacity, int32_t* used) {
  int32_t length = static_cast<int32_t>(std::strlen(bytes));
  int32_t room = capacity - 1 - *used;
  if (length > room) length = room;
  if (length <= 0) return;
  std::memcpy(out + *used, bytes, static_cast<size_t>(length));
  *used += length;
  out[*used] = '\0';
}

// The "%d" form of a value, without the heap: the report must work when the heap is exhausted.
void FormatDecimal(int32_t value, char (&digits)[12]) {
  char reversed[11];
  int n = 0;
  uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  do {
    reversed[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  int i = 0;
  if (value < 0) digits[i++] = '-';
  while (n > 0) digits[i++] = reversed[--n];
  digits[i] = '\0';
}

}  // namespace

int32_t FormatRuntimeErrorReport(int32_t code, TextView message, char* out, int32_t capacity) {
  if (capacity <= 0) return 0;
  int32_t used = 0;
  out[0] = '\0';
  Append(kRuntimeErrorHeading, out, capacity, &used);
  if (code != 0) {
    char digits[12];
    FormatDecimal(code, digits);
    Append(kErrorCodeLabel, out, capacity, &used);
    Append(digits, out, capacity, &used);
    Append("\r\n\r\n", out, capacity, &used);
  }
  if (message.Bytes()[0] != '\0') {
    Append(kErrorMessageLabel, out, capacity, &used);
    Append(message.Bytes(), out, capacity, &used);
    Append("\r\n", out, capacity, &used);
  }
  return used;
}

int32_t FormatAllocationFailure(int32_t byteCount, char* out, int32_t capacity) {
  if (capacity <= 0) return 0;
  // kAllocationFailureFormat with its "%d" filled in.
  const char* marker = std::strstr(kAllocationFailureFormat, "%d");
  char digits[12];
  FormatDecimal(byteCount, digits);
  int32_t used = 0;
  out[0] = '\0';
  char head[sizeof(kAllocationFailureFormat)];
  size_t headLength = static_cast<size_t>(marker - kAllocationFailureFormat);
  std::memcpy(head, kAllocationFailureFormat, headLength);
  head[headLength] = '\0';
  Append(head, out, capacity, &used);
  Append(digits, out, capacity, &used);
  Append(marker + 2, out, capacity, &used);
  return used;
}

void CheckElementIndex(const TextArray& array, int32_t index) {
  // Below 1 is tested first, so index 0 on an empty array reports code 4, not code 1.
  if (static_cast<int64_t>(index) - 1 < 0) {
    ReportRuntimeError(kIndexBelowOneCode, kIndexBelowOneMessage);
  }
  if (static_cast<int64_t>(index) - 1 >= ElementCount(array)) {
    ReportRuntimeError(kIndexAboveRangeCode, kIndexAboveRangeMessage);
  }
}
