#include "ui/keyboard.h"

namespace {

bool IsKeyHeld(int key) {
  return GetKeyState(key) < 0;
}

// An edit box claims Enter when it is multi-line and not read-only, so that Enter starts a new
// line there. No control claims any other key.
bool ClaimsKey(HWND focus, WPARAM key) {
  if (focus == nullptr || key != VK_RETURN) return false;
  char className[8];
  if (GetClassNameA(focus, className, sizeof(className)) == 0 ||
      lstrcmpiA(className, "Edit") != 0) {
    return false;
  }
  LONG style = GetWindowLongA(focus, GWL_STYLE);
  return (style & ES_MULTILINE) != 0 && (style & ES_READONLY) == 0;
}

bool CanTakeFocus(HWND control) {
  return control != nullptr && IsWindow(control) && IsWindowVisible(control) &&
         IsWindowEnabled(control);
}

}  // namespace

void MoveFocus(LoadedWindow& loaded, bool backwards) {
  int32_t count = loaded.focusCount;
  if (count == 0) return;
  HWND focus = GetFocus();
  int32_t current = -1;
  for (int32_t i = 0; i < count; ++i) {
    if (loaded.focusOrder[i] == focus) current = i;
  }
  // From outside the order, Tab starts at the first unit and Shift+Tab at the last.
  int32_t step = backwards ? count - 1 : 1;
  int32_t next = current < 0 ? (backwards ? count - 1 : 0) : (current + step) % count;
  for (int32_t tried = 0; tried < count; ++tried) {
    if (CanTakeFocus(loaded.focusOrder[next])) {
      SetFocus(loaded.focusOrder[next]);
      return;
    }
    next = (next + step) % count;
  }
}

HWND ChooseFocusOnActivation(const LoadedWindow& loaded) {
  HWND window = loaded.unitWindows[0];
  if (CanTakeFocus(loaded.lastFocus) && IsChild(window, loaded.lastFocus)) return loaded.lastFocus;
  for (int32_t i = 0; i < loaded.focusCount; ++i) {
    if (CanTakeFocus(loaded.focusOrder[i])) return loaded.focusOrder[i];
  }
  return nullptr;
}

bool HandleWindowKey(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
  if (message.hwnd == nullptr) return false;
  LoadedWindow* loaded = FindLoadedWindowByHandle(GetAncestor(message.hwnd, GA_ROOT));
  if (loaded == nullptr) return false;

  WPARAM key = message.wParam;
  if (ClaimsKey(GetFocus(), key)) return false;

  bool ctrl = IsKeyHeld(VK_CONTROL);
  bool shift = IsKeyHeld(VK_SHIFT);
  bool alt = IsKeyHeld(VK_MENU);
  bool alone = !ctrl && !shift && !alt;

  if (key == VK_TAB && !ctrl && !alt) {
    MoveFocus(*loaded, shift);
    return true;
  }
  if (!alone) return false;
  switch (key) {
    case VK_ESCAPE:
      // Exactly what the close button does.
      SendMessageA(loaded->unitWindows[0], WM_SYSCOMMAND, SC_CLOSE, 0);
      return true;
    case VK_RETURN:
    case VK_F1:
      return true;
    default:
      return false;
  }
}
