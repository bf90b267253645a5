#include "probe_program_win32.h"

std::string ProbeProgramPath() {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, sizeof(self));
  std::string path(self);
  // The build folder holds ASCII names only, so a plain search for the separator is safe here.
  return path.substr(0, path.rfind('\\') + 1) + "system_probe_win32.exe";
}
