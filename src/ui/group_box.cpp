// A BUTTON-class group box is not meant to be a parent: it ignores what its edit box sends it
// (colour requests, focus notifications) and, as it counts on its parent to paint behind it, its
// inside stays unpainted under a WS_CLIPCHILDREN parent. The subclass below fills those gaps.
#include "ui/group_box.h"

namespace {

WNDPROC buttonProc = nullptr;

// Fills the inside with the button face, leaving the children's rectangles to them so that the
// edit boxes do not flicker.
void PaintInside(HWND box, HDC context) {
  HWND parent = GetParent(box);
  HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessageA(
      parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(context), reinterpret_cast<LPARAM>(box)));
  if (brush == nullptr) brush = GetSysColorBrush(COLOR_BTNFACE);
  int saved = SaveDC(context);
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT place;
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&place), 2);
    ExcludeClipRect(context, place.left, place.top, place.right, place.bottom);
  }
  RECT inside;
  GetClientRect(box, &inside);
  FillRect(context, &inside, brush);
  RestoreDC(context, saved);
}

LRESULT CALLBACK GroupBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_COMMAND:
      return SendMessageA(GetParent(box), message, wParam, lParam);
    case WM_ERASEBKGND:
      PaintInside(box, reinterpret_cast<HDC>(wParam));
      return 1;
    default:
      return CallWindowProcA(buttonProc, box, message, wParam, lParam);
  }
}

}  // namespace

void TakeOverGroupBox(HWND box) {
  WNDPROC previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GroupBoxProc)));
  if (buttonProc == nullptr) buttonProc = previous;
}
