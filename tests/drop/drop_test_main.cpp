// The test programs' entry: the drop target needs OLE on the thread that runs the tests, as the
// program's own start-up gives it.
#include <gtest/gtest.h>
#include <ole2.h>
#include <windows.h>

#include "system/allocator.h"

namespace {

// A crash must end the run with a failing code, never with a dialog or a lucky 0.
LONG WINAPI EndOnCrash(EXCEPTION_POINTERS*) {
  TerminateProcess(GetCurrentProcess(), 3);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
  SetUnhandledExceptionFilter(EndOnCrash);
  PrepareAllocator();
  testing::InitGoogleTest(&argc, argv);
  if (FAILED(OleInitialize(nullptr))) {
    fprintf(stderr, "OleInitialize failed\n");
    return 2;
  }
  const int result = RUN_ALL_TESTS();
  OleUninitialize();
  return result;
}
