// A drag-image helper of the tests' own, put in place of the shell's for this process so that the
// tests see what the drop target hands it.
#pragma once

#include <ole2.h>
#include <shlobj.h>
#include <windows.h>

#include <string>
#include <vector>

struct HelperCall {
  std::string method;  // "DragEnter", "DragOver", "DragLeave" or "Drop"
  HWND window = nullptr;
  bool hadData = false;
  POINT point = {};
  DWORD effect = 0;
};

struct HelperRecord {
  std::vector<HelperCall> calls;
  int created = 0;
  int liveReferences = 0;  // of every helper made, added up
};

// While alive, creating CLSID_DragDropHelper in this process gives a recording helper (or, with
// `refuse`, fails as a missing helper would).
class RecordingHelperRegistration {
 public:
  RecordingHelperRegistration(HelperRecord* record, bool refuse);
  ~RecordingHelperRegistration();
  RecordingHelperRegistration(const RecordingHelperRegistration&) = delete;
  RecordingHelperRegistration& operator=(const RecordingHelperRegistration&) = delete;

  HRESULT registerResult = E_FAIL;

 private:
  IClassFactory* factory_ = nullptr;
  DWORD cookie_ = 0;
};
