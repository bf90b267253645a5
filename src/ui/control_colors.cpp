#include "ui/control_colors.h"

LRESULT ChooseControlColors(UINT message, HDC context) {
  SetTextColor(context, RGB(0, 0, 0));
  if (message == WM_CTLCOLOREDIT) {
    SetBkColor(context, RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
  }
  SetBkColor(context, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}
