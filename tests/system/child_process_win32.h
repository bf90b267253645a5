// Starting the probe program as a child and collecting how it ended.
#pragma once

#include <windows.h>

#include <string>

// The probe program built beside the test program.
std::string ProbeProgramPath();

// A started child; the handles are closed on destruction, and a child still running then is
// ended, so that a failed test leaves nothing behind.
class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts `program` with `arguments` in `currentDirectory`; false when it cannot start.
  bool Start(const std::string& program, const std::string& arguments,
             const std::string& currentDirectory);
  DWORD ProcessId() const { return info_.dwProcessId; }
  // The exit code as the parent sees it; STILL_ACTIVE when it did not end in time.
  DWORD WaitForExit(DWORD timeoutMs = 60000);

 private:
  PROCESS_INFORMATION info_ = {};
};
