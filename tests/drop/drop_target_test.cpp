// The drop target against Wine's OLE: effects, acceptance, the delivered text, registration and
// the drag-image helper. Events go to a recording stand-in for the window layer's dispatch.
#include "drop/drop_target.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "drop_test_support.h"
#include "raise_event_double.h"
#include "recording_drag_image_helper.h"
#include "system/allocator.h"
#include "test_data_object.h"
#include "text/text.h"
#include "ui/events.h"
#include "ui/units.h"

namespace {

constexpr DWORD kNone = DROPEFFECT_NONE;
constexpr DWORD kCopy = DROPEFFECT_COPY;
constexpr DWORD kMove = DROPEFFECT_MOVE;
constexpr DWORD kLink = DROPEFFECT_LINK;
constexpr DWORD kAll = kCopy | kMove | kLink;
constexpr DWORD kCtrl = MK_CONTROL;
constexpr DWORD kShift = MK_SHIFT;
constexpr DWORD kAlt = 0x20;  // MK_ALT, as OLE reports it during a drag

DropTargetSettings FilesOnly() {
  DropTargetSettings settings;
  settings.acceptFiles = 1;
  return settings;
}

// ---------------------------------------------------------------------------------------------
// Choosing the effect

struct EffectCase {
  bool accepted;
  DWORD keys;
  DWORD allowed;
  DWORD expected;
};

TEST(ChooseDropEffect, FollowsTheKeysAndWhatTheSourceAllows) {
  const EffectCase cases[] = {
      // Data without a file list gets no effect whatever the keys.
      {false, 0, kAll, kNone},
      {false, kCtrl, kCopy, kNone},
      {false, kShift, kMove, kNone},
      {false, kCtrl | kShift, kAll, kNone},
      // No key: the first the source allows of copy, move, link.
      {true, 0, kAll, kCopy},
      {true, 0, kCopy | kLink, kCopy},
      {true, 0, kMove | kLink, kMove},
      {true, 0, kLink, kLink},
      {true, 0, kNone, kNone},
      // Ctrl asks for a copy only.
      {true, kCtrl, kAll, kCopy},
      {true, kCtrl, kCopy, kCopy},
      {true, kCtrl, kMove | kLink, kNone},
      // Shift asks for a move only.
      {true, kShift, kAll, kMove},
      {true, kShift, kMove, kMove},
      {true, kShift, kCopy | kLink, kNone},
      // Ctrl and Shift together never choose the link, even from a link-only source.
      {true, kCtrl | kShift, kAll, kNone},
      {true, kCtrl | kShift, kLink, kNone},
      // The mouse buttons and Alt play no part.
      {true, MK_LBUTTON | kAlt, kAll, kCopy},
      {true, MK_RBUTTON | kShift, kAll, kMove},
      {true, MK_MBUTTON | kCtrl, kMove, kNone},
      {true, MK_LBUTTON, kLink, kLink},
      {true, kAlt, kMove | kLink, kMove},
  };
  for (const EffectCase& c : cases) {
    DWORD effect = c.allowed;
    const bool chosen = ChooseDropEffect(c.accepted, c.keys, &effect);
    EXPECT_EQ(effect, c.expected) << "accepted " << c.accepted << " keys 0x" << std::hex << c.keys
                                  << " allowed 0x" << c.allowed;
    EXPECT_EQ(chosen, c.expected != kNone) << "keys 0x" << std::hex << c.keys;
  }
}

// ---------------------------------------------------------------------------------------------
// The stored switches

struct SettingsCase {
  const char* name;
  std::vector<unsigned char> record;
  bool read;
  DropTargetSettings expected;
};

TEST(ReadDropTargetSettings, TakesVersionOneRecordsOnly) {
  auto words = [](std::initializer_list<uint32_t> values) {
    std::vector<unsigned char> bytes;
    for (uint32_t v : values) {
      for (int shift = 0; shift < 32; shift += 8) bytes.push_back((v >> shift) & 0xFF);
    }
    return bytes;
  };
  const SettingsCase cases[] = {
      {"the drop area's record", words({1, 0, 0, 0, 1}), true, {0, 0, 0, 1}},
      {"every switch on, in order", words({1, 1, 2, 3, 4}), true, {1, 2, 3, 4}},
      {"little-endian words", words({1, 0x100, 0, 0x01000000, 0}), true, {0x100, 0, 0x01000000, 0}},
      {"a newer version", words({2, 1, 1, 1, 1}), false, {}},
      {"the version read big-endian", words({0x01000000, 0, 0, 0, 1}), false, {}},
      {"a record one byte short", std::vector<unsigned char>(19, 1), false, {}},
  };
  for (const SettingsCase& c : cases) {
    DropTargetSettings out;
    out.acceptText = out.acceptHtml = out.acceptUrl = out.acceptFiles = 7;
    EXPECT_EQ(ReadDropTargetSettings(c.record.data(), static_cast<uint32_t>(c.record.size()), &out),
              c.read)
        << c.name;
    EXPECT_EQ(out.acceptText, c.expected.acceptText) << c.name;
    EXPECT_EQ(out.acceptHtml, c.expected.acceptHtml) << c.name;
    EXPECT_EQ(out.acceptUrl, c.expected.acceptUrl) << c.name;
    EXPECT_EQ(out.acceptFiles, c.expected.acceptFiles) << c.name;
  }
  DropTargetSettings none;
  none.acceptFiles = 1;
  EXPECT_FALSE(ReadDropTargetSettings(nullptr, 0, &none));
  EXPECT_EQ(none.acceptFiles, 0) << "without a record every switch is off";
}

// ---------------------------------------------------------------------------------------------
// The object under OLE's calls

class DropTargetTest : public testing::Test {
 protected:
  void SetUp() override {
    ClearRaisedEvents();
    SetDroppedTextHandler(nullptr);
    liveAtStart_ = LiveBlockCount();
    target_ = CreateDropTarget(拖放对象1.windowId, 拖放对象1.unitId, FilesOnly());
    ASSERT_NE(target_, nullptr);
  }
  void TearDown() override {
    DestroyDropTarget(target_);
    SetDroppedTextHandler(nullptr);
    ClearRaisedEvents();
    EXPECT_EQ(LiveBlockCount(), liveAtStart_) << "blocks left behind";
  }

  IDropTarget* Drop() { return AsDropTarget(target_); }

  DropTarget* target_ = nullptr;
  int32_t liveAtStart_ = 0;
};

void ExpectFileListFormat(const FormatSeen& seen) {
  EXPECT_EQ(seen.cfFormat, CF_HDROP);
  EXPECT_FALSE(seen.hasTargetDevice);
  EXPECT_EQ(seen.dwAspect, static_cast<DWORD>(DVASPECT_CONTENT));
  EXPECT_EQ(seen.lindex, -1);
  EXPECT_EQ(seen.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
}

TEST_F(DropTargetTest, AcceptsOnlyDataThatHasAFileList) {
  struct Case {
    const char* name;
    bool files;
    HRESULT query;  // what QueryGetData says about CF_HDROP
    bool accepted;
  };
  const Case cases[] = {
      {"file list", true, S_OK, true},
      // S_FALSE is a success code but not "yes": the data is still never read.
      {"file list the source says S_FALSE about", true, S_FALSE, false},
      {"file list the source denies", true, DV_E_FORMATETC, false},
      {"dragged text", false, S_OK, false},
  };
  for (const Case& c : cases) {
    ClearRaisedEvents();
    ComRef<TestDataObject> data(c.files ? TestDataObject::WithFiles({"C:\\in\\a.txt"})
                                        : TestDataObject::TextOnly("some text"));
    data->fileListQueryResult = c.query;
    const DragOutcome outcome = DragAndDrop(target_, data.get(), 0, kAll);
    EXPECT_EQ(outcome.enterResult, S_OK) << c.name;
    EXPECT_EQ(outcome.effectAfterEnter, c.accepted ? kCopy : kNone) << c.name;
    EXPECT_EQ(outcome.dropResult, E_FAIL) << c.name;
    EXPECT_EQ(outcome.effectAfterDrop, c.accepted ? kCopy : kNone) << c.name;
    EXPECT_EQ(RaisedEvents().size(), c.accepted ? 1u : 0u) << c.name;
    EXPECT_EQ(data->queryGetDataCalls, 1) << c.name << ": asked once, for the file list only";
    EXPECT_EQ(data->getDataCalls, c.accepted ? 1 : 0) << c.name;
    for (const FormatSeen& seen : data->formatsAsked) ExpectFileListFormat(seen);
  }
}

TEST_F(DropTargetTest, DeliversThePathsAsOneText) {
  // A name far past MAX_PATH, in double-byte characters.
  std::string longName = "D:\\长路径";
  while (longName.size() < 700) longName += "\\深层目录名称";
  longName += "\\报告.txt";
  ASSERT_GT(longName.size(), 260u);
  const std::string ascii300 = "C:\\" + std::string(300, 'x') + ".bin";

  struct Case {
    const char* name;
    std::vector<std::string> paths;
    std::string expected;
  };
  const Case cases[] = {
      {"one path goes alone", {"C:\\data\\a.txt"}, "C:\\data\\a.txt"},
      {"two paths each end in CR LF", {"C:\\a", "C:\\b"}, "C:\\a\r\nC:\\b\r\n"},
      {"three paths in the list's order",
       {"C:\\z.txt", "C:\\文件夹", "D:\\备份\\a.doc"},
       "C:\\z.txt\r\nC:\\文件夹\r\nD:\\备份\\a.doc\r\n"},
      {"an empty list gives the empty text", {}, ""},
      {"a long double-byte path whole", {longName}, longName},
      {"a long path among others",
       {"C:\\a", ascii300, "C:\\b"},
       "C:\\a\r\n" + ascii300 + "\r\nC:\\b\r\n"},
  };
  for (const Case& c : cases) {
    ClearRaisedEvents();
    ComRef<TestDataObject> data(TestDataObject::WithFiles(c.paths));
    int releasedAtEvent = -1;
    SetDroppedTextHandler([&](Text&) { releasedAtEvent = data->mediaReleased; });
    const int32_t liveBefore = LiveBlockCount();

    const DragOutcome outcome = DragAndDrop(target_, data.get(), 0, kCopy | kMove);

    EXPECT_EQ(outcome.dropResult, E_FAIL) << c.name << ": never S_OK, even after a delivery";
    EXPECT_EQ(outcome.effectAfterDrop, kCopy) << c.name;
    ASSERT_EQ(RaisedEvents().size(), 1u) << c.name;
    const RaisedEvent& event = RaisedEvents()[0];
    EXPECT_EQ(event.windowId, kMainWindowId) << c.name;
    EXPECT_EQ(event.unitId, 拖放对象1.unitId) << c.name;
    EXPECT_EQ(event.eventNumber, kEventFilesDropped) << c.name;
    EXPECT_TRUE(event.hadText) << c.name;
    EXPECT_EQ(HexBytes(event.text), HexBytes(c.expected)) << c.name;
    EXPECT_EQ(data->mediaGiven, 1) << c.name;
    EXPECT_EQ(releasedAtEvent, 1) << c.name << ": the medium goes back before the handler runs";
    EXPECT_EQ(LiveBlockCount(), liveBefore) << c.name << ": text and path blocks released";
  }
}

TEST_F(DropTargetTest, KeysAtReleaseDecideTheDrop) {
  struct Case {
    const char* name;
    DWORD keys;
    DWORD allowed;
    bool delivered;
    DWORD effect;
  };
  const Case cases[] = {
      {"Shift with a source that moves", kShift, kCopy | kMove, true, kMove},
      {"Ctrl", kCtrl, kCopy | kMove, true, kCopy},
      {"Ctrl and Shift", kCtrl | kShift, kAll, false, kNone},
      {"a link-only source, no key", 0, kLink, true, kLink},
      {"a link-only source under Ctrl and Shift", kCtrl | kShift, kLink, false, kNone},
      {"Shift with a source that only copies", kShift, kCopy, false, kNone},
  };
  for (const Case& c : cases) {
    ClearRaisedEvents();
    ComRef<TestDataObject> data(TestDataObject::WithFiles({"C:\\one.txt"}));
    POINTL point = {5, 5};
    DWORD effect = c.allowed;
    // Entered with no key held; only the keys at release count.
    ASSERT_EQ(Drop()->DragEnter(data.get(), 0, point, &effect), S_OK);
    effect = c.allowed;
    EXPECT_EQ(Drop()->Drop(data.get(), c.keys, point, &effect), E_FAIL) << c.name;
    EXPECT_EQ(effect, c.effect) << c.name;
    EXPECT_EQ(RaisedEvents().size(), c.delivered ? 1u : 0u) << c.name;
    EXPECT_EQ(data->getDataCalls, c.delivered ? 1 : 0)
        << c.name << ": the data is read only to deliver";
  }
}

TEST_F(DropTargetTest, KeysAreReadAtEveryMoveWhileAcceptanceHoldsUntilTheDragLeaves) {
  ComRef<TestDataObject> files(TestDataObject::WithFiles({"C:\\one.txt"}));
  POINTL point = {5, 5};
  DWORD effect = kCopy | kMove;
  ASSERT_EQ(Drop()->DragEnter(files.get(), 0, point, &effect), S_OK);
  EXPECT_EQ(effect, kCopy);

  const struct {
    DWORD keys;
    DWORD effect;
  } moves[] = {{kShift, kMove},
               {kCtrl, kCopy},
               {kCtrl | kShift, kNone},
               {0, kCopy},
               {MK_LBUTTON | kShift, kMove}};
  for (const auto& move : moves) {
    effect = kCopy | kMove;
    EXPECT_EQ(Drop()->DragOver(move.keys, point, &effect), S_OK);
    EXPECT_EQ(effect, move.effect) << "keys 0x" << std::hex << move.keys;
  }
  EXPECT_EQ(files->queryGetDataCalls, 1) << "DragOver must not ask the data again";

  // Out of the area and back without a file list: refused at every move and at the drop.
  EXPECT_EQ(Drop()->DragLeave(), S_OK);
  effect = kCopy | kMove;
  Drop()->DragOver(0, point, &effect);
  EXPECT_EQ(effect, kNone) << "leaving forgets the acceptance";
  ComRef<TestDataObject> text(TestDataObject::TextOnly("words"));
  effect = kAll;
  Drop()->DragEnter(text.get(), 0, point, &effect);
  EXPECT_EQ(effect, kNone);
  for (DWORD keys : {DWORD{0}, kCtrl, kShift}) {
    effect = kAll;
    Drop()->DragOver(keys, point, &effect);
    EXPECT_EQ(effect, kNone) << "keys 0x" << std::hex << keys;
  }
  effect = kAll;
  EXPECT_EQ(Drop()->Drop(text.get(), 0, point, &effect), E_FAIL);
  EXPECT_EQ(effect, kNone);
  EXPECT_TRUE(RaisedEvents().empty());

  // A new entry judges the drag again.
  effect = kAll;
  Drop()->DragEnter(files.get(), 0, point, &effect);
  EXPECT_EQ(effect, kCopy);
}

TEST_F(DropTargetTest, DropAfterDragLeaveDeliversNothing) {
  ComRef<TestDataObject> data(TestDataObject::WithFiles({"C:\\one.txt"}));
  POINTL point = {5, 5};
  DWORD effect = kCopy;
  Drop()->DragEnter(data.get(), 0, point, &effect);
  Drop()->DragLeave();
  effect = kCopy;
  EXPECT_EQ(Drop()->Drop(data.get(), 0, point, &effect), E_FAIL);
  EXPECT_EQ(effect, kNone);
  EXPECT_TRUE(RaisedEvents().empty());
}

TEST_F(DropTargetTest, DataThatFailsAtTheDropDeliversNothing) {
  ComRef<TestDataObject> data(TestDataObject::WithFiles({"C:\\one.txt"}));
  data->fileListGetResult = E_OUTOFMEMORY;
  const DragOutcome outcome = DragAndDrop(target_, data.get(), 0, kCopy);
  EXPECT_EQ(outcome.effectAfterEnter, kCopy);
  EXPECT_EQ(outcome.dropResult, E_FAIL);
  EXPECT_EQ(data->getDataCalls, 1);
  EXPECT_TRUE(RaisedEvents().empty());
}

TEST_F(DropTargetTest, ReleasesWhateverTextTheHandlerLeft) {
  struct Case {
    const char* name;
    std::function<void(Text&)> handler;
  };
  const Case cases[] = {
      {"handler keeps it", [](Text&) {}},
      {"handler puts a new text in", [](Text& t) { t = CopyText("C:\\另一个\\path.txt"); }},
      {"handler takes the text away", [](Text& t) { t.Reset(); }},
  };
  for (const Case& c : cases) {
    ClearRaisedEvents();
    SetDroppedTextHandler(c.handler);
    ComRef<TestDataObject> data(TestDataObject::WithFiles({"C:\\a", "C:\\b"}));
    const int32_t liveBefore = LiveBlockCount();
    DragAndDrop(target_, data.get(), 0, kCopy);
    EXPECT_EQ(RaisedEvents().size(), 1u) << c.name;
    EXPECT_EQ(LiveBlockCount(), liveBefore) << c.name;
  }
}

TEST_F(DropTargetTest, WithFilesSwitchedOffAcceptsNothing) {
  DropTarget* closed = CreateDropTarget(拖放对象1.windowId, 拖放对象1.unitId, DropTargetSettings{});
  ComRef<TestDataObject> data(TestDataObject::WithFiles({"C:\\one.txt"}));
  const DragOutcome outcome = DragAndDrop(closed, data.get(), 0, kAll);
  EXPECT_EQ(outcome.effectAfterEnter, kNone);
  EXPECT_EQ(outcome.effectAfterDrop, kNone);
  EXPECT_TRUE(RaisedEvents().empty());
  DestroyDropTarget(closed);
}

TEST_F(DropTargetTest, AnswersForIUnknownAndIDropTargetOnly) {
  IDropTarget* drop = Drop();
  EXPECT_EQ(drop->AddRef(), 2u) << "the object's own reference is the first";
  EXPECT_EQ(drop->Release(), 1u);

  struct Case {
    const char* name;
    const IID* iid;
    bool answers;
  };
  const Case cases[] = {
      {"IUnknown", &IID_IUnknown, true},
      {"IDropTarget", &IID_IDropTarget, true},
      {"IDataObject", &IID_IDataObject, false},
      {"IDropSource", &IID_IDropSource, false},
      {"IClassFactory", &IID_IClassFactory, false},
  };
  for (const Case& c : cases) {
    void* object = reinterpret_cast<void*>(1);
    const HRESULT result = drop->QueryInterface(*c.iid, &object);
    if (c.answers) {
      EXPECT_EQ(result, S_OK) << c.name;
      EXPECT_EQ(object, static_cast<void*>(drop)) << c.name;
      EXPECT_EQ(drop->Release(), 1u) << c.name << ": QueryInterface added one reference";
    } else {
      EXPECT_EQ(result, E_NOINTERFACE) << c.name;
      EXPECT_EQ(object, nullptr) << c.name;
      EXPECT_EQ(drop->AddRef(), 2u) << c.name << ": a refusal adds no reference";
      drop->Release();
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Registration with OLE, on real windows

TEST_F(DropTargetTest, RegistersOneWindowAndRefusesEverySecondCall) {
  TestWindow first;
  TestWindow second;
  ASSERT_NE(first.handle, nullptr);
  ASSERT_NE(second.handle, nullptr);

  EXPECT_TRUE(RegisterDropWindow(target_, first.Id()));
  EXPECT_FALSE(RegisterDropWindow(target_, second.Id()));
  EXPECT_FALSE(RegisterDropWindow(target_, first.Id()));
  EXPECT_EQ(RevokeDragDrop(second.handle), DRAGDROP_E_NOTREGISTERED)
      << "the refused call must not reach OLE";

  EXPECT_EQ(RegisterDragDrop(first.handle, AsDropTarget(target_)), DRAGDROP_E_ALREADYREGISTERED)
      << "the first window stays registered";

  // Destruction revokes the drop area.
  DestroyDropTarget(target_);
  target_ = nullptr;
  EXPECT_EQ(RevokeDragDrop(first.handle), DRAGDROP_E_NOTREGISTERED);
}

TEST_F(DropTargetTest, KeepsAHandleThatOleRefused) {
  TestWindow window;
  ASSERT_NE(window.handle, nullptr);
  // No window has this handle: OLE refuses it, and the object has had its one try.
  EXPECT_FALSE(RegisterDropWindow(target_, 0x0BAD0000u));
  EXPECT_FALSE(RegisterDropWindow(target_, window.Id()));
  EXPECT_EQ(RevokeDragDrop(window.handle), DRAGDROP_E_NOTREGISTERED);
}

// ---------------------------------------------------------------------------------------------
// The drag-image helper

TEST(DropTargetHelper, GetsEveryCallWithTheEffectsAsReceived) {
  HelperRecord record;
  const int32_t liveAtStart = LiveBlockCount();
  {
    RecordingHelperRegistration registration(&record, false);
    ASSERT_EQ(registration.registerResult, S_OK);
    DropTarget* target = CreateDropTarget(拖放对象1.windowId, 拖放对象1.unitId, FilesOnly());
    ASSERT_EQ(record.created, 1);
    TestWindow window;
    ASSERT_TRUE(RegisterDropWindow(target, window.Id()));
    ClearRaisedEvents();

    IDropTarget* drop = AsDropTarget(target);
    ComRef<TestDataObject> data(TestDataObject::WithFiles({"C:\\one.txt"}));
    DWORD effect = kAll;
    drop->DragEnter(data.get(), kShift, POINTL{40, 30}, &effect);
    EXPECT_EQ(effect, kMove);
    effect = kCopy | kMove;
    drop->DragOver(kCtrl | kShift, POINTL{41, 31}, &effect);
    EXPECT_EQ(effect, kNone);
    drop->DragLeave();
    effect = kCopy | kLink;
    drop->DragEnter(data.get(), 0, POINTL{42, 32}, &effect);
    effect = kCopy | kMove;
    EXPECT_EQ(drop->Drop(data.get(), kShift, POINTL{43, 33}, &effect), E_FAIL);
    EXPECT_EQ(effect, kMove);
    EXPECT_EQ(RaisedEvents().size(), 1u);

    const struct {
      const char* method;
      DWORD effect;
      LONG x;
    } expected[] = {{"DragEnter", kAll, 40},
                    {"DragOver", kCopy | kMove, 41},
                    {"DragLeave", 0, 0},
                    {"DragEnter", kCopy | kLink, 42},
                    {"Drop", kCopy | kMove, 43}};
    ASSERT_EQ(record.calls.size(), std::size(expected));
    for (size_t i = 0; i < record.calls.size(); ++i) {
      const HelperCall& call = record.calls[i];
      EXPECT_EQ(call.method, expected[i].method) << i;
      EXPECT_EQ(call.effect, expected[i].effect) << call.method << " " << i;
      EXPECT_EQ(call.point.x, expected[i].x) << call.method << " " << i;
    }
    EXPECT_EQ(record.calls[0].window, window.handle) << "the helper draws over the drop area";
    EXPECT_TRUE(record.calls[0].hadData);
    EXPECT_TRUE(record.calls[4].hadData);

    DestroyDropTarget(target);
    EXPECT_EQ(record.liveReferences, 0) << "the helper is released with the object";
  }
  ClearRaisedEvents();
  EXPECT_EQ(LiveBlockCount(), liveAtStart);
}

TEST(DropTargetHelper, WithoutAHelperFilesAreStillDelivered) {
  HelperRecord record;
  RecordingHelperRegistration registration(&record, true);
  ASSERT_EQ(registration.registerResult, S_OK);
  DropTarget* target = CreateDropTarget(拖放对象1.windowId, 拖放对象1.unitId, FilesOnly());
  ClearRaisedEvents();
  ComRef<TestDataObject> data(TestDataObject::WithFiles({"C:\\one.txt"}));
  const DragOutcome outcome = DragAndDrop(target, data.get(), kShift, kCopy | kMove);
  EXPECT_EQ(outcome.effectAfterEnter, kMove);
  EXPECT_EQ(outcome.effectAfterDrop, kMove);
  ASSERT_EQ(RaisedEvents().size(), 1u);
  EXPECT_EQ(RaisedEvents()[0].text, "C:\\one.txt");
  EXPECT_TRUE(record.calls.empty());
  DestroyDropTarget(target);
  ClearRaisedEvents();
}

}  // namespace
