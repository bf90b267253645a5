// Copying the shell's file list out of the dragged data, and the text the handler receives.
#include "drop/dropped_paths.h"

#include <shellapi.h>

#include <cstring>

#include "system/allocator.h"

namespace {

constexpr UINT kCountFiles = 0xFFFFFFFFu;

}  // namespace

void DroppedPaths::Release() {
  for (uint32_t i = 0; i < count; ++i) ReleaseBlock(paths[i]);
  ReleaseBlock(paths);
  paths = nullptr;
  count = 0;
}

void ReadDroppedPaths(HGLOBAL fileListMemory, DroppedPaths* out) {
  out->Release();
  HDROP fileList = static_cast<HDROP>(fileListMemory);
  const UINT count = DragQueryFileA(fileList, kCountFiles, nullptr, 0);
  if (count == 0) return;
  out->paths = static_cast<char**>(AllocateBlock(int64_t{count} * int64_t{sizeof(char*)}));
  for (UINT i = 0; i < count; ++i) {
    // Each path is measured first: a shell path can be far longer than MAX_PATH.
    const UINT length = DragQueryFileA(fileList, i, nullptr, 0);
    char* path = static_cast<char*>(AllocateBlock(int64_t{length} + 1));
    path[0] = '\0';
    DragQueryFileA(fileList, i, path, length + 1);
    path[length] = '\0';
    out->paths[i] = path;
    out->count = i + 1;
  }
}

Text JoinDroppedPaths(const DroppedPaths& paths) {
  // A single path goes on alone; a list marks the end of every path, the last one included.
  const bool separate = paths.count > 1;
  int64_t total = 0;
  for (uint32_t i = 0; i < paths.count; ++i) {
    total += static_cast<int64_t>(std::strlen(paths.paths[i]));
    if (separate) total += 2;
  }
  char* block = static_cast<char*>(AllocateBlock(total + 1));
  char* end = block;
  for (uint32_t i = 0; i < paths.count; ++i) {
    const size_t length = std::strlen(paths.paths[i]);
    std::memcpy(end, paths.paths[i], length);
    end += length;
    if (separate) {
      *end++ = '\r';
      *end++ = '\n';
    }
  }
  *end = '\0';
  return Text::Adopt(block);
}
