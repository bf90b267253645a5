#include "ui/message_loop.h"

#include <windows.h>

#include "ui/events.h"
#include "ui/keyboard.h"
#include "ui/loaded_window.h"
#include "ui/main_window.h"

namespace {

bool loopStarted = false;
int32_t quitCode = 0;

// Raised once each time the queue runs dry; GetMessage then sleeps until the next message, so
// idle work never spins.
void DoIdleWork() {
  for (int32_t slot = 0; slot < kMaxLoadedWindows; ++slot) {
    LoadedWindow* loaded = LoadedWindowAt(slot);
    if (loaded == nullptr) continue;
    EventArguments none;
    RaiseEvent(loaded->layout->windowId, loaded->layout->units[0].unitId, kEventIdle, none);
  }
}

}  // namespace

void RunMessageLoop() {
  loopStarted = true;
  if (!AnyWindowLoaded()) return;
  MSG message;
  for (;;) {
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) DoIdleWork();
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      quitCode = static_cast<int32_t>(message.wParam);
      return;
    }
    if (got == -1) return;
    if (HandleWindowKey(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

bool MessageLoopStarted() {
  return loopStarted;
}

int32_t QuitCode() {
  return quitCode;
}
