// The probe program that the tests start as a child, to watch how it ends.
#pragma once

#include <windows.h>

#include <string>

#include "support/child_process_win32.h"

// The probe program built beside the test program.
std::string ProbeProgramPath();
