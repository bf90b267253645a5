// The handlers reach the controls only through these operations. Each finds the unit's live
// native window by window id and unit id and talks to it with direct messages.
#include "ui/control_access.h"

#include <windows.h>

#include "system/allocator.h"
#include "system/runtime_error.h"
#include "ui/layout.h"
#include "ui/loaded_window.h"
#include "ui/unit_objects.h"
#include "ui/window_handle.h"
#include "ui/window_texts.h"

namespace {

HWND LiveUnitWindow(const LoadedWindow& loaded, uint32_t unitId) {
  int32_t index = FindUnitIndex(*loaded.layout, unitId);
  if (index < 0 || loaded.unitWindows[index] == nullptr || !IsWindow(loaded.unitWindows[index])) {
    return nullptr;
  }
  return loaded.unitWindows[index];
}

// For reading and writing contents, which tell a missing window from a missing unit.
HWND RequireBox(ControlId box) {
  const LoadedWindow* loaded = FindLoadedWindow(box.windowId);
  if (loaded == nullptr) ReportRuntimeError(0, kWindowNotLoadedMessage);
  HWND window = LiveUnitWindow(*loaded, box.unitId);
  if (window == nullptr) ReportRuntimeError(0, kUnitNotLoadedMessage);
  return window;
}

HWND RequireUnit(ControlId unit) {
  const LoadedWindow* loaded = FindLoadedWindow(unit.windowId);
  HWND window = loaded != nullptr ? LiveUnitWindow(*loaded, unit.unitId) : nullptr;
  if (window == nullptr) ReportRuntimeError(0, kUnitMissingMessage);
  return window;
}

}  // namespace

Text ReadContent(ControlId box) {
  HWND window = RequireBox(box);
  int32_t length = GetWindowTextLengthA(window);
  if (length <= 0) return Text();
  char* block = static_cast<char*>(AllocateBlock(static_cast<int64_t>(length) + 1));
  int32_t copied = GetWindowTextA(window, block, length + 1);
  if (copied < 0) copied = 0;
  block[copied] = '\0';
  if (copied == length) return Text::Adopt(block);
  // The box changed size between the two calls: keep the block at the exact size of what was
  // read.
  Text exact = CopyText(block);
  ReleaseBlock(block);
  return exact;
}

void WriteContent(ControlId box, TextView text) {
  SetWindowTextA(RequireBox(box), text.Bytes());
}

void AppendText(ControlId box, TextView text) {
  HWND window = RequireUnit(box);
  // The caret goes to the end without measuring the text: the log grows with every copy, and
  // taking its length converts the whole log each time, which would make a long run slower and
  // slower. The box cuts a position past its end back to the end; selecting the whole text
  // first would repaint all of it.
  constexpr WPARAM kPastTheEnd = 0x7FFFFFFF;
  SendMessageA(window, EM_SETSEL, kPastTheEnd, static_cast<LPARAM>(kPastTheEnd));
  SendMessageA(window, EM_SCROLLCARET, 0, 0);
  SendMessageA(window, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.Bytes()));
}

HWND GetWindowHandle(ControlId control) {
  return RequireUnit(control);
}

DropTarget* GetDropTargetObject(ControlId unit) {
  const LoadedWindow* loaded = FindLoadedWindow(unit.windowId);
  int32_t index = loaded != nullptr ? FindUnitIndex(*loaded->layout, unit.unitId) : -1;
  DropTarget* target = index >= 0 ? loaded->dropTargets[index] : nullptr;
  if (target == nullptr) ReportRuntimeError(0, kUnitMissingMessage);
  return target;
}
