// The fatal run-time error report: the only way the program stops on an error.
#pragma once

#include <cstdint>

#include "text/text.h"
#include "text/text_array.h"

// Run-time error codes and their messages.
inline constexpr int32_t kIndexAboveRangeCode = 1;
inline constexpr int32_t kIndexBelowOneCode = 4;
inline constexpr char kIndexAboveRangeMessage[] = "数组成员引用下标超出定义范围";
inline constexpr char kIndexBelowOneMessage[] = "数组成员引用下标必须大于等于1";

// Texts of the report.
inline constexpr char kRuntimeErrorCaption[] = "错误";
inline constexpr char kRuntimeErrorHeading[] = "运行时出错!\r\n\r\n";
inline constexpr char kErrorCodeLabel[] = "错误代码：";
inline constexpr char kErrorMessageLabel[] = "错误信息：";
inline constexpr char kAllocationFailureFormat[] = "分配 %d 字节内存失败!";

// Shows the report (code 0: no code line; empty message: no message line) and ends the process
// with exit code -1. Events are held back from the first step on.
[[noreturn]] void ReportRuntimeError(int32_t code, TextView message);

// Reports that the heap refused a block of `byteCount` bytes. Allocates nothing on the heap.
[[noreturn]] void ReportAllocationFailure(int32_t byteCount);

// Returns only when 1 <= index <= ElementCount(array); code 4 is tested before code 1.
void CheckElementIndex(const TextArray& array, int32_t index);

// Writes the report text into `out` (capacity bytes, terminator included), cutting a message that
// does not fit. Returns the byte count written before the terminator.
int32_t FormatRuntimeErrorReport(int32_t code, TextView message, char* out, int32_t capacity);

// Writes the allocation failure message for `byteCount` into `out`, as wsprintfA would.
int32_t FormatAllocationFailure(int32_t byteCount, char* out, int32_t capacity);

// Set by the window layer once it exists: holdEvents stops event delivery for good, endProgram
// releases the windows and OLE without calling the program's end routine.
struct RuntimeErrorHooks {
  void (*holdEvents)() = nullptr;
  void (*endProgram)() = nullptr;
};
void SetRuntimeErrorHooks(const RuntimeErrorHooks& hooks);
