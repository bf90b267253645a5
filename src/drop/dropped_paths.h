// The paths of a shell file list, copied out of the dragged data.
#pragma once

#include <windows.h>

#include <cstdint>

#include "text/text.h"

// One exactly sized block per path and one block for the list; released together.
struct DroppedPaths {
  char** paths = nullptr;
  uint32_t count = 0;

  DroppedPaths() = default;
  DroppedPaths(const DroppedPaths&) = delete;
  DroppedPaths& operator=(const DroppedPaths&) = delete;
  ~DroppedPaths() { Release(); }

  // Every path block, then the list.
  void Release();
};

// Copies every path of the shell file list (a DROPFILES block) in its order, as DragQueryFileA
// gives it.
void ReadDroppedPaths(HGLOBAL fileList, DroppedPaths* out);

// One path alone; two or more each followed by "\r\n"; none gives the empty text.
Text JoinDroppedPaths(const DroppedPaths& paths);
