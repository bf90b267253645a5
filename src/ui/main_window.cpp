// The main window: built hidden from the layout, then shown. Its window procedure turns the
// window's messages into the layout's events and keeps the focus where the user left it.
#include "ui/main_window.h"

#include <windows.h>

#include "drop/drop_target.h"
#include "ui/control_colors.h"
#include "ui/events.h"
#include "ui/group_box.h"
#include "ui/keyboard.h"
#include "ui/layout.h"
#include "ui/loaded_window.h"
#include "ui/message_loop.h"

namespace {

constexpr char kWindowClassName[] = "RenameCopyMainWindow";
constexpr DWORD kWindowStyle =
    WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_DLGFRAME | WS_CLIPCHILDREN;
constexpr int kFontSlot = 0;  // the window's font, in its extra bytes

bool classRegistered = false;
HICON largeIcon = nullptr;
HICON smallIcon = nullptr;

void RaiseWindowEvent(const LoadedWindow& loaded, int32_t eventNumber) {
  EventArguments none;
  RaiseEvent(loaded.layout->windowId, loaded.layout->units[0].unitId, eventNumber, none);
}

LoadedWindow* LoadedWindowOf(HWND window) {
  return reinterpret_cast<LoadedWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// The close button, the system menu, Alt+F4 and Esc all arrive here. Only a bound query-close
// handler that answers false keeps the window; this program binds none.
void AskToClose(HWND window, LoadedWindow& loaded) {
  EventArguments none;
  EventOutcome answer =
      RaiseEvent(loaded.layout->windowId, loaded.layout->units[0].unitId, kEventQueryClose, none);
  if (answer.handled && answer.result == 0) return;
  DestroyWindow(window);
}

// The window's destroyed event comes first, then its units go, each kind releasing its object.
// This runs before the children are destroyed, so the drop target revokes its drop area while
// the group box it covers still exists.
void ReleaseUnits(LoadedWindow& loaded) {
  RaiseWindowEvent(loaded, kEventDestroyed);
  for (int32_t i = 0; i < loaded.layout->unitCount; ++i) {
    if (loaded.dropTargets[i] != nullptr) {
      DestroyDropTarget(loaded.dropTargets[i]);
      loaded.dropTargets[i] = nullptr;
    }
  }
}

void Forget(HWND window, LoadedWindow& loaded) {
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  FreeWindowSlot(&loaded);
  if (!AnyWindowLoaded() && MessageLoopStarted()) PostQuitMessage(0);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* loaded =
        static_cast<LoadedWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    loaded->unitWindows[0] = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(loaded));
    return DefWindowProcA(window, message, wParam, lParam);
  }
  LoadedWindow* loaded = LoadedWindowOf(window);
  if (loaded == nullptr) return DefWindowProcA(window, message, wParam, lParam);

  switch (message) {
    case WM_SETFONT:
      SetWindowLongPtrA(window, kFontSlot, static_cast<LONG_PTR>(wParam));
      return 0;
    case WM_GETFONT:
      return GetWindowLongPtrA(window, kFontSlot);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ChooseControlColors(message, reinterpret_cast<HDC>(wParam));
    case WM_COMMAND:
      // The group boxes pass their edit boxes' notifications on: remember where the focus was.
      if (HIWORD(wParam) == EN_SETFOCUS) loaded->lastFocus = reinterpret_cast<HWND>(lParam);
      return 0;
    case WM_ACTIVATE:
      RaiseWindowEvent(*loaded,
                       LOWORD(wParam) == WA_INACTIVE ? kEventDeactivated : kEventActivated);
      if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0) {
        HWND focus = ChooseFocusOnActivation(*loaded);
        SetFocus(focus != nullptr ? focus : window);
      }
      return 0;
    case WM_SETFOCUS: {
      // Someone gave the focus to the window itself: hand it on to the child that had it.
      HWND focus = IsIconic(window) ? nullptr : ChooseFocusOnActivation(*loaded);
      if (focus != nullptr) SetFocus(focus);
      return 0;
    }
    case WM_MOVE:
      if (lParam != loaded->placeSeen) {
        loaded->placeSeen = lParam;
        RaiseWindowEvent(*loaded, kEventMoved);
      }
      return 0;
    case WM_SIZE:
      if (lParam != loaded->sizeSeen) {
        loaded->sizeSeen = lParam;
        RaiseWindowEvent(*loaded, kEventResized);
      }
      return 0;
    case WM_CLOSE:
      AskToClose(window, *loaded);
      return 0;
    case WM_DESTROY:
      ReleaseUnits(*loaded);
      return 0;
    case WM_NCDESTROY:
      Forget(window, *loaded);
      return DefWindowProcA(window, message, wParam, lParam);
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

bool RegisterWindowClass(HINSTANCE instance) {
  if (classRegistered) return true;
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.cbWndExtra = sizeof(LONG_PTR);
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClassName;
  classRegistered = RegisterClassExA(&windowClass) != 0;
  return classRegistered;
}

void LoadIcons(HINSTANCE instance) {
  if (largeIcon == nullptr) {
    largeIcon = static_cast<HICON>(LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON, 32, 32, 0));
  }
  if (smallIcon == nullptr) {
    smallIcon = static_cast<HICON>(LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON, 16, 16, 0));
  }
}

DWORD ControlStyle(const UnitLayout& unit) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (unit.tabStop) style |= WS_TABSTOP;
  if (unit.disabled) style |= WS_DISABLED;
  if (unit.kind == UnitKind::kGroupBox) return style | BS_GROUPBOX | BS_LEFT;
  style |= ES_LEFT;
  if (unit.multiLine) return style | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
  return style | ES_AUTOHSCROLL;
}

// Creates a control hidden under the window; it moves to its container once all units exist.
HWND CreateControl(const UnitLayout& unit, int32_t controlId, HWND window, HINSTANCE instance,
                   HFONT font) {
  bool isEdit = unit.kind == UnitKind::kEditBox;
  HWND control =
      CreateWindowExA(isEdit ? WS_EX_CLIENTEDGE : 0, isEdit ? "EDIT" : "BUTTON", unit.caption,
                      ControlStyle(unit), unit.left, unit.top, unit.width, unit.height, window,
                      reinterpret_cast<HMENU>(controlId), instance, nullptr);
  if (control == nullptr) return nullptr;
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (isEdit) {
    SendMessageA(control, EM_LIMITTEXT, 0, 0);
    SendMessageA(control, EM_SETSEL, 0, 0);
    SendMessageA(control, EM_SCROLLCARET, 0, 0);
  } else {
    TakeOverGroupBox(control);
  }
  return control;
}

bool BuildUnits(LoadedWindow& loaded, HINSTANCE instance, HFONT font) {
  const WindowLayout& layout = *loaded.layout;
  HWND window = loaded.unitWindows[0];
  for (int32_t i = 1; i < layout.unitCount; ++i) {
    const UnitLayout& unit = layout.units[i];
    int32_t controlId = kFirstControlId + (i - 1) * kControlIdStep;
    if (unit.kind == UnitKind::kDropTarget) {
      DropTargetSettings settings;
      ReadDropTargetSettings(unit.settings, unit.settingsSize, &settings);
      loaded.dropTargets[i] = CreateDropTarget(layout.windowId, unit.unitId, settings);
      if (loaded.dropTargets[i] == nullptr) return false;
      continue;
    }
    loaded.unitWindows[i] = CreateControl(unit, controlId, window, instance, font);
    if (loaded.unitWindows[i] == nullptr) return false;
  }
  // Containers may come after what they hold in creation order, so the moves wait until now.
  for (int32_t i = 1; i < layout.unitCount; ++i) {
    const UnitLayout& unit = layout.units[i];
    HWND control = loaded.unitWindows[i];
    if (control == nullptr || unit.container == 0) continue;
    HWND container = loaded.unitWindows[unit.container];
    if (container == nullptr || SetParent(control, container) == nullptr) return false;
    SetWindowPos(control, nullptr, unit.left, unit.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return true;
}

// The units Tab visits: visible, enabled tab stops by tab-order value, ties in creation order.
void ArrangeFocusOrder(LoadedWindow& loaded) {
  const WindowLayout& layout = *loaded.layout;
  int32_t count = 0;
  int32_t indexes[kMaxUnits];
  for (int32_t i = 1; i < layout.unitCount; ++i) {
    const UnitLayout& unit = layout.units[i];
    if (!unit.visible || unit.disabled || !unit.tabStop || loaded.unitWindows[i] == nullptr) {
      continue;
    }
    int32_t at = count++;
    while (at > 0 && layout.units[indexes[at - 1]].tabOrder > unit.tabOrder) {
      indexes[at] = indexes[at - 1];
      --at;
    }
    indexes[at] = i;
  }
  for (int32_t k = 0; k < count; ++k) loaded.focusOrder[k] = loaded.unitWindows[indexes[k]];
  loaded.focusCount = count;
}

void ShowUnits(const LoadedWindow& loaded) {
  for (int32_t i = 1; i < loaded.layout->unitCount; ++i) {
    if (loaded.layout->units[i].visible && loaded.unitWindows[i] != nullptr) {
      ShowWindow(loaded.unitWindows[i], SW_SHOWNA);
    }
  }
}

// Builds the window and its units hidden. Null when something cannot be built; whatever was
// built is gone again by then.
LoadedWindow* BuildWindow(const WindowLayout& layout) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!RegisterWindowClass(instance)) return nullptr;
  LoadedWindow* loaded = TakeWindowSlot(&layout);
  if (loaded == nullptr) return nullptr;
  const UnitLayout& self = layout.units[0];
  // Centred on the primary screen; C++ division truncates toward zero, as the placing rule asks.
  int left = (GetSystemMetrics(SM_CXSCREEN) - self.width) / 2;
  int top = (GetSystemMetrics(SM_CYSCREEN) - self.height) / 2;
  HWND window = CreateWindowExA(0, kWindowClassName, self.caption, kWindowStyle, left, top,
                                self.width, self.height, nullptr, nullptr, instance, loaded);
  if (window == nullptr) {
    FreeWindowSlot(loaded);
    return nullptr;
  }
  // LoadWindow reports the first place and size itself, after the created event.
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  RECT client;
  GetClientRect(window, &client);
  loaded->placeSeen = MAKELPARAM(origin.x, origin.y);
  loaded->sizeSeen = MAKELPARAM(client.right, client.bottom);

  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  LoadIcons(instance);
  SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon));
  SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
  if (!BuildUnits(*loaded, instance, font)) {
    DestroyWindow(window);  // releases the units built so far and frees the slot
    return nullptr;
  }
  ArrangeFocusOrder(*loaded);
  ShowUnits(*loaded);
  return loaded;
}

}  // namespace

bool LoadWindow(uint32_t windowId) {
  const WindowLayout* layout = FindWindowLayout(windowId);
  if (layout == nullptr || FindLoadedWindow(windowId) != nullptr) return false;

  // Building sends the window messages of its own (moves, sizes, activations); none of them may
  // reach a handler before the window is complete.
  HoldEvents();
  LoadedWindow* loaded = BuildWindow(*layout);
  ReleaseEvents();
  if (loaded == nullptr) return false;

  HWND window = loaded->unitWindows[0];
  uint32_t selfId = layout->units[0].unitId;
  EventArguments none;
  RaiseEvent(windowId, selfId, kEventCreated, none);
  // The handler may have closed the window; each later step needs it still there.
  if (IsWindow(window)) RaiseEvent(windowId, selfId, kEventMoved, none);
  if (IsWindow(window)) RaiseEvent(windowId, selfId, kEventResized, none);
  if (IsWindow(window) && layout->units[0].visible) ShowWindow(window, SW_SHOW);
  return true;
}

void DestroyLoadedWindows() {
  for (int32_t slot = 0; slot < kMaxLoadedWindows; ++slot) {
    LoadedWindow* loaded = LoadedWindowAt(slot);
    if (loaded != nullptr && loaded->unitWindows[0] != nullptr) {
      DestroyWindow(loaded->unitWindows[0]);
    }
  }
}

void ReleaseWindowResources() {
  if (largeIcon != nullptr) DestroyIcon(largeIcon);
  if (smallIcon != nullptr) DestroyIcon(smallIcon);
  largeIcon = nullptr;
  smallIcon = nullptr;
  if (classRegistered) UnregisterClassA(kWindowClassName, GetModuleHandleA(nullptr));
  classRegistered = false;
}
