// The batch run's own texts. The punctuation of the messages is the single-byte ASCII form, not
// the full-width one.
#pragma once

// The confirmation: kReceivedLead, the count, kReceivedTail.
inline constexpr char kReceivedLead[] = "共收到:";
inline constexpr char kReceivedTail[] = "个文件.开始么?";

// The completion message, followed by the count of failed copies when there were any:
// kRunFinished, kLineBreak, kFailedLead, the count, kFailedTail.
inline constexpr char kRunFinished[] = "改名复制完成!";
inline constexpr char kFailedLead[] = "复制失败:";
inline constexpr char kFailedTail[] = "个文件.";

// A log entry: old name, kLogArrow, new name; after a failed copy kLogFailureLead, the reason
// and kLogFailureTail; then kLineBreak.
inline constexpr char kLogArrow[] = " -> ";
inline constexpr char kLogFailureLead[] = " (复制失败: ";
inline constexpr char kLogFailureTail[] = ")";

// Splits a path into its components and joins the output directory to the new name.
inline constexpr char kPathSeparator[] = "\\";

// Separates the dropped paths, and ends each log entry.
inline constexpr char kLineBreak[] = "\r\n";
