// The ordinary message box: task-modal, no owner, no icon, results mapped to the program's own.
#include <windows.h>

#include "system/message_box.h"

namespace {

int32_t MapResult(int answer) {
  switch (answer) {
    case IDOK:
      return kResultOk;
    case IDCANCEL:
      return kResultCancel;
    case IDABORT:
      return kResultAbort;
    case IDRETRY:
      return kResultRetry;
    case IDIGNORE:
      return kResultIgnore;
    case IDYES:
      return kResultYes;
    case IDNO:
      return kResultNo;
    default:
      // A failed call (0) and any answer the program does not know read as OK.
      return kResultOk;
  }
}

}  // namespace

int32_t ShowMessageBox(TextView message, int32_t buttons) {
  return ShowMessageBox(message, buttons, kDefaultMessageCaption);
}

int32_t ShowMessageBox(TextView message, int32_t buttons, TextView caption) {
  UINT style = static_cast<UINT>(buttons);
  // With no owner, task-modal is what disables the program's own windows while the box is open;
  // a system-modal box must not get both bits, which together mean something else.
  if ((style & MB_SYSTEMMODAL) == 0) style |= MB_TASKMODAL;
  int answer = MessageBoxA(nullptr, message.Bytes(), caption.Bytes(), style);
  // OK alone has one answer, however the box is closed: Windows reports Escape and the close
  // button as IDOK there, but Wine reports IDCANCEL.
  if ((style & MB_TYPEMASK) == MB_OK) return kResultOk;
  return MapResult(answer);
}
