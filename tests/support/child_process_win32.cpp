#include "support/child_process_win32.h"

ChildProcess::~ChildProcess() {
  if (info_.hProcess == nullptr) return;
  if (!HasExited()) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 10000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool ChildProcess::Start(const std::string& program, const std::string& arguments,
                         const std::string& currentDirectory) {
  std::string commandLine = "\"" + program + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  return CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        currentDirectory.empty() ? nullptr : currentDirectory.c_str(), &startup,
                        &info_) != 0;
}

DWORD ChildProcess::WaitForExit(DWORD timeoutMs) {
  if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

bool ChildProcess::HasExited() const {
  return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0;
}
