// The program's table of built windows. One thread owns it; nothing is locked.
#include "ui/loaded_window.h"

namespace {

LoadedWindow slots[kMaxLoadedWindows];

}  // namespace

LoadedWindow* FindLoadedWindow(uint32_t windowId) {
  for (LoadedWindow& loaded : slots) {
    if (loaded.layout != nullptr && loaded.layout->windowId == windowId) return &loaded;
  }
  return nullptr;
}

LoadedWindow* FindLoadedWindowByHandle(HWND window) {
  if (window == nullptr) return nullptr;
  for (LoadedWindow& loaded : slots) {
    if (loaded.layout != nullptr && loaded.unitWindows[0] == window) return &loaded;
  }
  return nullptr;
}

LoadedWindow* TakeWindowSlot(const WindowLayout* layout) {
  for (LoadedWindow& loaded : slots) {
    if (loaded.layout == nullptr) {
      loaded = LoadedWindow{};
      loaded.layout = layout;
      return &loaded;
    }
  }
  return nullptr;
}

void FreeWindowSlot(LoadedWindow* loaded) {
  *loaded = LoadedWindow{};
}

bool AnyWindowLoaded() {
  for (const LoadedWindow& loaded : slots) {
    if (loaded.layout != nullptr) return true;
  }
  return false;
}

LoadedWindow* LoadedWindowAt(int32_t slot) {
  if (slot < 0 || slot >= kMaxLoadedWindows || slots[slot].layout == nullptr) return nullptr;
  return &slots[slot];
}
