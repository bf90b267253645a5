// The main window's units, addressed by window id and unit id.
#pragma once

#include <cstdint>

struct ControlId {
  uint32_t windowId;
  uint32_t unitId;
};

inline constexpr uint32_t kMainWindowId = 0x52010001u;
inline constexpr uint32_t kMainWindowUnitId = 0x06010000u;

inline constexpr ControlId 分组框1{kMainWindowId, 0x16010005u};
inline constexpr ControlId 编辑框1{kMainWindowId, 0x16010006u};  // the text to find
inline constexpr ControlId 分组框4{kMainWindowId, 0x16010012u};
inline constexpr ControlId 编辑框3{kMainWindowId, 0x16010013u};  // the replacement text
inline constexpr ControlId 分组框2{kMainWindowId, 0x16010007u};
inline constexpr ControlId 编辑框2{kMainWindowId, 0x16010008u};  // the output directory
inline constexpr ControlId 分组框3{kMainWindowId, 0x1601000cu};  // the drop area
inline constexpr ControlId 拖放对象1{kMainWindowId, 0x1601000du};
inline constexpr ControlId 分组框5{kMainWindowId, 0x1601002du};
inline constexpr ControlId 编辑框4{kMainWindowId, 0x1601002eu};  // the log
