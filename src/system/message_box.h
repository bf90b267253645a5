// The ordinary message box.
#pragma once

#include <cstdint>

#include "text/text.h"

inline constexpr int32_t kButtonsOk = 0;        // MB_OK
inline constexpr int32_t kButtonsOkCancel = 1;  // MB_OKCANCEL

// Results, mapped from MessageBoxA's.
inline constexpr int32_t kResultOk = 0;
inline constexpr int32_t kResultCancel = 1;
inline constexpr int32_t kResultAbort = 2;
inline constexpr int32_t kResultRetry = 3;
inline constexpr int32_t kResultIgnore = 4;
inline constexpr int32_t kResultYes = 5;
inline constexpr int32_t kResultNo = 6;

inline constexpr char kDefaultMessageCaption[] = "信息：";

// Shows `message` task-modal (unless `buttons` holds MB_SYSTEMMODAL) with no owner and no icon.
int32_t ShowMessageBox(TextView message, int32_t buttons);  // caption "信息："
int32_t ShowMessageBox(TextView message, int32_t buttons, TextView caption);
