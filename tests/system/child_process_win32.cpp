#include "child_process_win32.h"

#include <vector>

std::string ProbeProgramPath() {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, sizeof(self));
  std::string path(self);
  // The build folder holds ASCII names only, so a plain search for the separator is safe here.
  return path.substr(0, path.rfind('\\') + 1) + "system_probe_win32.exe";
}

ChildProcess::~ChildProcess() {
  if (info_.hProcess == nullptr) return;
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 10000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool ChildProcess::Start(const std::string& program, const std::string& arguments,
                         const std::string& currentDirectory) {
  std::string commandLine = "\"" + program + "\" " + arguments;
  std::vector<char> writable(commandLine.begin(), commandLine.end());
  writable.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  return CreateProcessA(program.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        currentDirectory.c_str(), &startup, &info_) != 0;
}

DWORD ChildProcess::WaitForExit(DWORD timeoutMs) {
  if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}
