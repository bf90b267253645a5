// One dropped item: its new name, its copy into the output directory and its line in the log.
#include "batch/rename_and_copy.h"

#include "batch/batch_texts.h"
#include "system/file_system.h"
#include "system/runtime_error.h"
#include "text/replace_subtext.h"
#include "text/split_text.h"
#include "text/text_array.h"
#include "ui/control_access.h"
#include "ui/units.h"

bool RenameAndCopyFile(TextView path) {
  // The split is double-byte aware: a name whose character ends in the byte of "\" stays whole.
  TextArray components;
  components = SplitText(path, kPathSeparator);
  int32_t last = ElementCount(components);
  // An empty path has no components: the check ends the program here, before anything is read,
  // logged or copied for it.
  CheckElementIndex(components, last);
  Text oldName = CopyText(ElementAt(components, last));

  // The boxes are read for every file, so a run always works with what they hold at that moment.
  Text find = ReadContent(编辑框1);
  Text replacement = ReadContent(编辑框3);
  Text newName = ReplaceSubtext(oldName, find, replacement, 0, kNoReplacementLimit, false);
  find.Reset();
  replacement.Reset();

  // The separator goes in even when the directory is empty or already ends in one: the path is
  // handed to the platform as the user typed it.
  Text outputDirectory = ReadContent(编辑框2);
  Text destination = ConcatText({outputDirectory, kPathSeparator, newName});
  outputDirectory.Reset();

  // The source is the path as it was dropped, never one rebuilt from its components.
  Text reason;
  bool copied = CopyFileOver(path, destination, &reason);
  destination.Reset();

  // The entry tells the outcome, so it is written once the copy has been tried. Each entry is a
  // line of its own in the log box.
  Text entry = copied ? ConcatText({oldName, kLogArrow, newName, kLineBreak})
                      : ConcatText({oldName, kLogArrow, newName, kLogFailureLead, reason,
                                    kLogFailureTail, kLineBreak});
  AppendText(编辑框4, entry);
  return copied;
}
