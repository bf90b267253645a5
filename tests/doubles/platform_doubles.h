// Host stand-ins for the platform services the batch run reaches: the edit boxes, the message box
// and the file copy. Tests script what the platform answers and read back what it was asked.
// Texts are kept as the raw bytes the program handed over (code page 936).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/units.h"

// Forgets every script, every record and every box's content.
void ResetPlatformDoubles();

// The edit boxes. A box never written holds "".
void SetBoxContent(ControlId box, const std::string& bytes);
std::string BoxContent(ControlId box);

// Every call that reached a box or the file system, in order, for tests of the order of a run:
// "read box1", "write box2", "append box4", "copy" (box1 to box4 are 编辑框1 to 编辑框4; any
// other unit shows as "unit 0x<id>").
const std::vector<std::string>& PlatformCalls();

// The message box. Answers are given out in order; once they run out, every box answers OK.
struct ShownMessageBox {
  std::string message;
  int32_t buttons;
  std::string caption;  // what the box bears: the default caption when it was left out
  bool captionLeftOut;
};
void ScriptMessageBoxAnswers(std::vector<int32_t> answers);
const std::vector<ShownMessageBox>& ShownMessageBoxes();

// The file copy. Each copy is recorded, then the script (if any) decides it: no reason means the
// copy succeeded, a reason fails it with that text. The script runs inside CopyFileOver, so it can
// change the boxes between two files or leave a mark on stderr.
struct CopyAttempt {
  std::string source;
  std::string destination;
};
using CopyScript = std::function<std::optional<std::string>(const CopyAttempt&)>;
void ScriptCopies(CopyScript script);
// The copies tried, in order.
const std::vector<CopyAttempt>& CopyAttempts();

// Shared between the three doubles; tests do not call these.
namespace platform_doubles_internal {
void RecordPlatformCall(std::string call);
void ResetMessageBoxDouble();
void ResetFileSystemDouble();
}  // namespace platform_doubles_internal
