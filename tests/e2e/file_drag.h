// Drags a list of files onto a point of the screen with OLE's DoDragDrop, as the shell would,
// from a thread of this process. The drop target's Drop runs the tool's whole batch, message
// boxes included, and DoDragDrop only returns after it: so the drag has a thread of its own
// while the caller answers the boxes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A CF_HDROP block (DROPFILES, ANSI paths, double-zero end) in a movable global; 0 on failure.
HGLOBAL MakeFileListBlock(const std::vector<std::string>& paths);

class FileDrag {
 public:
  FileDrag() = default;
  FileDrag(const FileDrag&) = delete;
  FileDrag& operator=(const FileDrag&) = delete;
  ~FileDrag();

  // Starts the drag: the cursor is put at `screenPoint` and the drop follows after a few polls.
  bool Start(const std::vector<std::string>& paths, POINT screenPoint);

  // Waits until DoDragDrop has returned; false when it has not within `timeoutMs`.
  bool Wait(DWORD timeoutMs);

  // DoDragDrop's result and effect, valid after Wait returned true.
  HRESULT result() const;
  DWORD effect() const;

 private:
  struct State;
  static DWORD WINAPI Run(void* state);

  // Shared with the thread: a drag that never returns (a hung target) is left behind with its
  // state, instead of blocking the destructor.
  State* state_ = nullptr;
  HANDLE thread_ = nullptr;
};
