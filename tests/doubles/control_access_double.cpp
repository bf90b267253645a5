// The edit boxes on the host: a content per control, and the journal of platform calls that the
// other doubles write into as well.
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform_doubles.h"
#include "ui/control_access.h"

namespace {

std::map<std::pair<uint32_t, uint32_t>, std::string> g_boxes;
std::vector<std::string> g_calls;

std::pair<uint32_t, uint32_t> KeyOf(ControlId box) {
  return {box.windowId, box.unitId};
}

std::string NameOf(ControlId box) {
  const std::pair<ControlId, const char*> names[] = {
      {编辑框1, "box1"}, {编辑框2, "box2"}, {编辑框3, "box3"}, {编辑框4, "box4"}};
  for (const auto& [id, name] : names) {
    if (id.windowId == box.windowId && id.unitId == box.unitId) return name;
  }
  char unit[32];
  std::snprintf(unit, sizeof(unit), "unit 0x%08x", static_cast<unsigned>(box.unitId));
  return unit;
}

}  // namespace

namespace platform_doubles_internal {

void RecordPlatformCall(std::string call) {
  g_calls.push_back(std::move(call));
}

}  // namespace platform_doubles_internal

void ResetPlatformDoubles() {
  g_boxes.clear();
  g_calls.clear();
  platform_doubles_internal::ResetMessageBoxDouble();
  platform_doubles_internal::ResetFileSystemDouble();
}

void SetBoxContent(ControlId box, const std::string& bytes) {
  g_boxes[KeyOf(box)] = bytes;
}

std::string BoxContent(ControlId box) {
  auto found = g_boxes.find(KeyOf(box));
  return found != g_boxes.end() ? found->second : std::string();
}

const std::vector<std::string>& PlatformCalls() {
  return g_calls;
}

Text ReadContent(ControlId box) {
  g_calls.push_back("read " + NameOf(box));
  // A copy from the program's allocator, so that a text the caller forgets shows as a leak; an
  // empty box gives no text, as the real one does.
  return CopyText(BoxContent(box).c_str());
}

void WriteContent(ControlId box, TextView text) {
  g_calls.push_back("write " + NameOf(box));
  g_boxes[KeyOf(box)] = text.Bytes();
}

void AppendText(ControlId box, TextView text) {
  g_calls.push_back("append " + NameOf(box));
  g_boxes[KeyOf(box)] += text.Bytes();
}
