// The main window's layout and the program's prepared copy of it.
#include "ui/layout.h"

#include "batch/files_dropped.h"
#include "system/runtime_error.h"
#include "text/text.h"
#include "ui/units.h"
#include "ui/window_created.h"
#include "ui/window_texts.h"

namespace {

int32_t RunWindowCreated(EventArguments&) {
  OnWindowCreated();
  return 0;
}

int32_t RunFilesDropped(EventArguments& arguments) {
  if (arguments.text != nullptr) {
    OnFilesDropped(*arguments.text);
  } else {
    Text none;
    OnFilesDropped(none);
  }
  return 0;
}

const EventBinding kMainWindowBindings[] = {{kEventCreated, RunWindowCreated}};
const EventBinding kDropTargetBindings[] = {{kEventFilesDropped, RunFilesDropped}};

// The drop target's switches: version 1, then acceptText, acceptHtml, acceptUrl, acceptFiles,
// each a 32-bit little-endian word. Only files are taken.
const unsigned char kDropTargetRecord[] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                           0, 0, 0, 0, 0, 0, 1, 0, 0, 0};

const WindowLayout* preparedLayout = nullptr;

bool IsValidLayout(const WindowLayout& layout) {
  if (layout.units == nullptr || layout.unitCount < 1 || layout.unitCount > kMaxUnits) {
    return false;
  }
  const UnitLayout& window = layout.units[0];
  if (window.kind != UnitKind::kWindow || window.container != -1) return false;
  for (int32_t i = 0; i < layout.unitCount; ++i) {
    const UnitLayout& unit = layout.units[i];
    if (i > 0) {
      if (unit.kind == UnitKind::kWindow) return false;
      if (unit.container < 0 || unit.container >= layout.unitCount || unit.container == i) {
        return false;
      }
      UnitKind containerKind = layout.units[unit.container].kind;
      if (containerKind != UnitKind::kWindow && containerKind != UnitKind::kGroupBox) return false;
    }
    for (int32_t j = 0; j < i; ++j) {
      if (layout.units[j].unitId == unit.unitId) return false;
    }
    if (unit.bindingCount < 0 || (unit.bindingCount > 0 && unit.bindings == nullptr)) return false;
    for (int32_t b = 0; b < unit.bindingCount; ++b) {
      if (unit.bindings[b].handler == nullptr) return false;
    }
  }
  return true;
}

}  // namespace

// Creation order; the containers of 编辑框2 and 编辑框3 are built after them and take them in
// when every unit exists.
const UnitLayout kMainWindowUnits[] = {
    {"窗口", UnitKind::kWindow, kMainWindowUnitId, -1, 50, 50, 499, 480, true, false, false, 0,
     false, kMainWindowCaption, kMainWindowBindings, 1, nullptr, 0},
    {"分组框1", UnitKind::kGroupBox, 分组框1.unitId, 0, 3, 7, 480, 56, true, false, false, 0, false,
     kSearchBoxCaption, nullptr, 0, nullptr, 0},
    {"编辑框1", UnitKind::kEditBox, 编辑框1.unitId, 1, 10, 15, 456, 32, true, false, true, 0, false,
     "", nullptr, 0, nullptr, 0},
    {"编辑框2", UnitKind::kEditBox, 编辑框2.unitId, 4, 10, 15, 456, 32, true, false, true, 0, false,
     "", nullptr, 0, nullptr, 0},
    {"分组框2", UnitKind::kGroupBox, 分组框2.unitId, 0, 4, 125, 480, 56, true, false, false, 0,
     false, kOutputBoxCaption, nullptr, 0, nullptr, 0},
    {"分组框3", UnitKind::kGroupBox, 分组框3.unitId, 0, 5, 186, 480, 64, true, false, false, 0,
     false, kDropAreaCaption, nullptr, 0, nullptr, 0},
    {"拖放对象1", UnitKind::kDropTarget, 拖放对象1.unitId, 5, 337, 16, 32, 32, true, false, false,
     0, false, "", kDropTargetBindings, 1, kDropTargetRecord, sizeof(kDropTargetRecord)},
    {"编辑框3", UnitKind::kEditBox, 编辑框3.unitId, 8, 10, 15, 456, 32, true, false, true, 0, false,
     "", nullptr, 0, nullptr, 0},
    {"分组框4", UnitKind::kGroupBox, 分组框4.unitId, 0, 4, 66, 480, 56, true, false, false, 0,
     false, kReplacementBoxCaption, nullptr, 0, nullptr, 0},
    {"分组框5", UnitKind::kGroupBox, 分组框5.unitId, 0, 5, 254, 480, 195, true, false, false, 0,
     false, kLogBoxCaption, nullptr, 0, nullptr, 0},
    {"编辑框4", UnitKind::kEditBox, 编辑框4.unitId, 9, 5, 15, 468, 176, true, false, true, 0, true,
     "", nullptr, 0, nullptr, 0},
};
const int32_t kMainWindowUnitCount = sizeof(kMainWindowUnits) / sizeof(kMainWindowUnits[0]);
const WindowLayout kMainWindowLayout = {kMainWindowId, kMainWindowUnits, kMainWindowUnitCount};

void PrepareWindowLayout(const WindowLayout* layout) {
  if (layout == nullptr || !IsValidLayout(*layout)) {
    ReportRuntimeError(0, kLayoutUnreadableMessage);
  }
  preparedLayout = layout;
}

const WindowLayout* FindWindowLayout(uint32_t windowId) {
  if (preparedLayout == nullptr || preparedLayout->windowId != windowId) return nullptr;
  return preparedLayout;
}

int32_t FindUnitIndex(const WindowLayout& layout, uint32_t unitId) {
  if (unitId == 0) return 0;
  for (int32_t i = 0; i < layout.unitCount; ++i) {
    if (layout.units[i].unitId == unitId) return i;
  }
  return -1;
}

EventHandler FindBinding(const UnitLayout& unit, int32_t eventNumber) {
  for (int32_t i = 0; i < unit.bindingCount; ++i) {
    if (unit.bindings[i].eventNumber == eventNumber) return unit.bindings[i].handler;
  }
  return nullptr;
}

void ReleaseWindowLayout() {
  preparedLayout = nullptr;
}
