// Small pieces the drop tests share: byte dumps, real windows, and one drag from entry to drop.
#pragma once

#include <ole2.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "drop/drop_target.h"
#include "support/hex_bytes.h"

// Code page 936 bytes as hex, so a mismatch reads the same in any terminal.
// A hidden top-level window of the test's own, destroyed with the scope.
struct TestWindow {
  HWND handle = nullptr;
  TestWindow() {
    handle = CreateWindowExA(0, "STATIC", "drop area", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~TestWindow() {
    if (handle != nullptr) DestroyWindow(handle);
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  uint32_t Id() const { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle)); }
};

struct DragOutcome {
  HRESULT enterResult = E_UNEXPECTED;
  DWORD effectAfterEnter = 0;
  HRESULT dropResult = E_UNEXPECTED;
  DWORD effectAfterDrop = 0;
};

// One drag straight from entry to drop, the keys held throughout.
inline DragOutcome DragAndDrop(DropTarget* target, IDataObject* data, DWORD keys, DWORD allowed) {
  IDropTarget* drop = AsDropTarget(target);
  POINTL point = {40, 30};
  DragOutcome outcome;
  DWORD effect = allowed;
  outcome.enterResult = drop->DragEnter(data, keys, point, &effect);
  outcome.effectAfterEnter = effect;
  effect = allowed;
  outcome.dropResult = drop->Drop(data, keys, point, &effect);
  outcome.effectAfterDrop = effect;
  return outcome;
}
