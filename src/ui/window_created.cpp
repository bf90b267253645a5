// The tool's starting state, set while the window is still hidden.
#include "ui/window_created.h"

#include <windows.h>

#include <cstdint>

#include "drop/drop_target.h"
#include "system/file_system.h"
#include "text/text.h"
#include "ui/control_access.h"
#include "ui/unit_objects.h"
#include "ui/units.h"
#include "ui/window_handle.h"
#include "ui/window_texts.h"

void OnWindowCreated() {
  {
    Text runDirectory = GetRunDirectory();
    Text outputDirectory = ConcatText({runDirectory, kOutputFolderSuffix});
    runDirectory.Reset();
    WriteContent(编辑框2, outputDirectory);
  }

  HWND dropArea = GetWindowHandle(分组框3);
  // A failed registration leaves the area refusing drops; nothing is reported.
  RegisterDropWindow(GetDropTargetObject(拖放对象1),
                     static_cast<uint32_t>(reinterpret_cast<uintptr_t>(dropArea)));

  // The box, not the value written, decides: the directory made is what the user will see.
  Text written = ReadContent(编辑框2);
  MakeDirectory(written);  // an existing directory is the usual case from the second start on
}
