// The run directory, directory creation and file copy, straight on the ANSI file API.
#include <windows.h>

#include <cstdint>

#include "system/allocator.h"
#include "system/file_system.h"

namespace {

// The run directory as a block from the allocator, or null when it is empty. It lives as long as
// the process.
char* g_runDirectory = nullptr;

// Longest path the system can report in ANSI: 32767 UTF-16 units, each at most two bytes here.
constexpr DWORD kLongestModulePath = 2 * 32768;

// Index of the last "\" in `path`, or -1. A 0x5C that is the second byte of a double-byte
// character belongs to that character and is no separator.
int32_t LastSeparator(const char* path) {
  int32_t last = -1;
  int32_t i = 0;
  while (path[i] != '\0') {
    if (IsLeadByte(static_cast<unsigned char>(path[i])) && path[i + 1] != '\0') {
      i += 2;
      continue;
    }
    if (path[i] == '\\') last = i;
    ++i;
  }
  return last;
}

// Removes blanks and line breaks from the end of `text`, in place.
void TrimLineEnd(char* text) {
  int32_t length = TextLength(text);
  while (length > 0) {
    char last = text[length - 1];
    if (last != '\r' && last != '\n' && last != ' ' && last != '\t') break;
    --length;
  }
  text[length] = '\0';
}

// The system's text for `error`, or its decimal code when the system has none.
Text DescribeSystemError(DWORD error) {
  char* message = nullptr;
  DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&message), 0, nullptr);
  Text reason;
  if (length != 0 && message != nullptr) {
    TrimLineEnd(message);
    reason = CopyText(message);
  }
  if (message != nullptr) LocalFree(message);
  if (reason.IsNone()) reason = ToText(static_cast<int64_t>(error));
  return reason;
}

}  // namespace

void EstablishRunDirectory() {
  char fixed[MAX_PATH];
  char* path = fixed;
  DWORD capacity = MAX_PATH;
  DWORD length = GetModuleFileNameA(nullptr, path, capacity);
  // A path that fills the buffer may have been cut: read it again into a larger block until it
  // fits, so that a program deep in the file system still finds its own folder. A cut can stop
  // one byte short, before a double-byte character that no longer fits, and report no error.
  while (length + 1 >= capacity && capacity < kLongestModulePath) {
    if (path != fixed) ReleaseBlock(path);
    capacity *= 2;
    path = static_cast<char*>(AllocateBlock(capacity));
    length = GetModuleFileNameA(nullptr, path, capacity);
  }
  if (length >= capacity) length = capacity - 1;
  path[length] = '\0';

  int32_t separator = LastSeparator(path);
  path[separator < 0 ? 0 : separator] = '\0';
  ReleaseBlock(g_runDirectory);
  g_runDirectory = CopyText(path).Release();
  if (path != fixed) ReleaseBlock(path);

  // Relative paths, a relative output directory among them, are taken from the program's folder.
  SetCurrentDirectoryA(g_runDirectory != nullptr ? g_runDirectory : "");
}

Text GetRunDirectory() {
  return CopyText(g_runDirectory);
}

bool MakeDirectory(TextView path) {
  return CreateDirectoryA(path.Bytes(), nullptr) != 0;
}

bool CopyFileOver(TextView source, TextView destination, Text* reason) {
  if (CopyFileA(source.Bytes(), destination.Bytes(), FALSE)) return true;
  // Read at once: anything called before would overwrite it.
  DWORD error = GetLastError();
  if (reason != nullptr) *reason = DescribeSystemError(error);
  return false;
}
