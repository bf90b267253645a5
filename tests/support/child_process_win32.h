// Programs under test started as child processes, so that whatever ends a process (a fatal
// report, a closed window) can be watched from outside.
#pragma once

#include <windows.h>

#include <string>

// A started child. The handles are closed on destruction, and a child still running then is
// ended, so that a failed test leaves nothing behind.
class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts `program` (a Windows path) with `arguments`, in `currentDirectory` when one is given;
  // false when it cannot start.
  bool Start(const std::string& program, const std::string& arguments = "",
             const std::string& currentDirectory = "");
  DWORD ProcessId() const { return info_.dwProcessId; }
  DWORD ThreadId() const { return info_.dwThreadId; }
  HANDLE Process() const { return info_.hProcess; }
  // The exit code as the parent sees it; STILL_ACTIVE when the child did not end in time.
  DWORD WaitForExit(DWORD timeoutMs = 60000);
  bool HasExited() const;

 private:
  PROCESS_INFORMATION info_ = {};
};
