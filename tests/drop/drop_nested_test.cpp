// A drop that arrives while the handler of an earlier drop has a message box open: OLE delivers
// it from inside the box's message loop, and the second run must go through to its end nested in
// the first. A thread timer stands in for the drag source: the box's loop dispatches it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drop/drop_target.h"
#include "drop_test_support.h"
#include "message_box_answerer.h"
#include "raise_event_double.h"
#include "system/allocator.h"
#include "system/message_box.h"
#include "test_data_object.h"
#include "ui/units.h"

namespace {

constexpr char kOuterQuestion[] = "第一次放下:开始么?";
constexpr char kInnerQuestion[] = "第二次放下:开始么?";

struct NestedDrop {
  DropTarget* target = nullptr;
  bool started = false;
  DragOutcome outcome;
};
NestedDrop* g_nested = nullptr;

// Fires inside the outer box's loop; drops again on the same target once the box is on screen.
void CALLBACK DropAgain(HWND, UINT, UINT_PTR timer, DWORD) {
  if (g_nested->started) return;
  bool outerOpen = false;
  for (const OpenBox& box : OpenMessageBoxes(GetCurrentThreadId())) {
    outerOpen = outerOpen || box.text == kOuterQuestion;
  }
  if (!outerOpen) return;
  KillTimer(nullptr, timer);
  g_nested->started = true;
  ComRef<TestDataObject> data(TestDataObject::WithFiles({"C:\\二\\b.txt", "C:\\二\\c.txt"}));
  g_nested->outcome =
      DragAndDrop(g_nested->target, data.get(), MK_SHIFT, DROPEFFECT_COPY | DROPEFFECT_MOVE);
}

TEST(NestedDrop, ASecondDropDuringTheFirstRunsToItsEndInsideIt) {
  const int32_t liveAtStart = LiveBlockCount();
  ClearRaisedEvents();
  TestWindow window;
  DropTarget* target = CreateDropTarget(拖放对象1.windowId, 拖放对象1.unitId, [] {
    DropTargetSettings settings;
    settings.acceptFiles = 1;
    return settings;
  }());
  ASSERT_TRUE(RegisterDropWindow(target, window.Id()));

  std::vector<std::string> trace;
  int depth = 0;
  SetDroppedTextHandler([&](Text& received) {
    const std::string entered = received.Bytes();
    ++depth;
    trace.push_back("enter " + entered);
    const int32_t answer =
        ShowMessageBox(depth == 1 ? kOuterQuestion : kInnerQuestion, kButtonsOkCancel);
    // The nested run must not have touched this run's text.
    trace.push_back("leave " + std::string(received.Bytes()) +
                    (answer == kResultOk ? " ok" : " not ok"));
    --depth;
  });

  NestedDrop nested;
  nested.target = target;
  g_nested = &nested;
  MessageBoxAnswerer answerer(GetCurrentThreadId(), {kInnerQuestion, kOuterQuestion});
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, DropAgain);
  ASSERT_NE(timer, 0u);

  ComRef<TestDataObject> data(TestDataObject::WithFiles({"C:\\一\\a.txt"}));
  const DragOutcome outer = DragAndDrop(target, data.get(), 0, DROPEFFECT_COPY);
  KillTimer(nullptr, timer);
  const std::vector<AnsweredBox> answered = answerer.Finish();
  g_nested = nullptr;

  EXPECT_TRUE(nested.started) << "the timer never found the first box open";
  const std::vector<std::string> expected = {
      "enter C:\\一\\a.txt",
      "enter C:\\二\\b.txt\r\nC:\\二\\c.txt\r\n",
      "leave C:\\二\\b.txt\r\nC:\\二\\c.txt\r\n ok",
      "leave C:\\一\\a.txt ok",
  };
  ASSERT_EQ(trace.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(HexBytes(trace[i]), HexBytes(expected[i])) << i;

  ASSERT_EQ(answered.size(), 2u);
  EXPECT_EQ(answered[0].text, kInnerQuestion);
  EXPECT_EQ(answered[0].openBoxes, 2) << "the second box opened over the first";
  EXPECT_EQ(answered[1].text, kOuterQuestion);

  EXPECT_EQ(nested.outcome.dropResult, E_FAIL);
  EXPECT_EQ(nested.outcome.effectAfterDrop, static_cast<DWORD>(DROPEFFECT_MOVE));
  EXPECT_EQ(outer.dropResult, E_FAIL);
  EXPECT_EQ(outer.effectAfterDrop, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(RaisedEvents().size(), 2u);

  SetDroppedTextHandler(nullptr);
  DestroyDropTarget(target);
  ClearRaisedEvents();
  EXPECT_EQ(LiveBlockCount(), liveAtStart);
}

}  // namespace
