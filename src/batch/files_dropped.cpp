// The batch run on one drop: confirm, rename and copy every path in list order, report the end.
#include "batch/files_dropped.h"

#include "batch/batch_texts.h"
#include "batch/rename_and_copy.h"
#include "system/message_box.h"
#include "system/runtime_error.h"
#include "text/split_text.h"
#include "text/text_array.h"

namespace {

// Asks whether to start; true unless the user chose Cancel (Escape and the close button count as
// Cancel). A box that could not be shown reads as OK, so the run starts.
bool ConfirmRun(int32_t pathCount) {
  Text count = ToText(pathCount);
  Text question = ConcatText({kReceivedLead, count, kReceivedTail});
  count.Reset();
  int32_t answer = ShowMessageBox(question, kButtonsOkCancel);
  return answer != kResultCancel;
}

void ReportRunFinished(int32_t failedCount) {
  if (failedCount == 0) {
    ShowMessageBox(kRunFinished, kButtonsOk);
    return;
  }
  Text count = ToText(failedCount);
  Text message = ConcatText({kRunFinished, kLineBreak, kFailedLead, count, kFailedTail});
  count.Reset();
  ShowMessageBox(message, kButtonsOk);
}

}  // namespace

void OnFilesDropped(Text& received) {
  // The list is the handler's; its destructor releases it on every way out, Cancel included.
  TextArray paths;
  paths = SplitText(received, kLineBreak);
  int32_t pathCount = ElementCount(paths);
  if (!ConfirmRun(pathCount)) return;

  // One path after the other, each copy finished before the next begins. A failed copy does not
  // stop the run; it is counted for the completion message. An empty line ends the program inside
  // RenameAndCopyFile, after the paths before it, and no completion message appears.
  int32_t failedCount = 0;
  for (int32_t i = 1; i <= pathCount; ++i) {
    CheckElementIndex(paths, i);
    if (!RenameAndCopyFile(ElementAt(paths, i))) ++failedCount;
  }
  ReportRunFinished(failedCount);
}
