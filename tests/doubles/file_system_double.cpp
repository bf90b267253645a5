// The file copy on the host: nothing touches the disk; each copy is recorded and scripted.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform_doubles.h"
#include "system/file_system.h"

namespace {

CopyScript g_script;
std::vector<CopyAttempt> g_attempts;

}  // namespace

namespace platform_doubles_internal {

void ResetFileSystemDouble() {
  g_script = nullptr;
  g_attempts.clear();
}

}  // namespace platform_doubles_internal

void ScriptCopies(CopyScript script) {
  g_script = std::move(script);
}

const std::vector<CopyAttempt>& CopyAttempts() {
  return g_attempts;
}

bool CopyFileOver(TextView source, TextView destination, Text* reason) {
  platform_doubles_internal::RecordPlatformCall("copy");
  g_attempts.push_back({source.Bytes(), destination.Bytes()});
  // The script gets its own copy of the attempt: it may reset the doubles while it runs.
  CopyAttempt attempt = g_attempts.back();
  std::optional<std::string> failure = g_script ? g_script(attempt) : std::nullopt;
  if (!failure) return true;
  // The reason comes from the program's allocator, as the real one does, so the caller owns it.
  if (reason != nullptr) *reason = CopyText(failure->c_str());
  return false;
}
