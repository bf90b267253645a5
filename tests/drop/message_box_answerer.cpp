// Answering message boxes from a second thread; the box's own loop runs on the tested thread.
#include "message_box_answerer.h"

#include <chrono>
#include <utility>

namespace {

constexpr int kMessageTextId = 0xFFFF;  // the static control that holds a message box's text
constexpr auto kPoll = std::chrono::milliseconds(50);
constexpr int kPollsPerBox = 400;  // 20 s under an emulated Wine

BOOL CALLBACK CollectBox(HWND window, LPARAM parameter) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof(className));
  if (std::string(className) != "#32770" || !IsWindowVisible(window)) return TRUE;
  char text[512] = {};
  GetDlgItemTextA(window, kMessageTextId, text, sizeof(text));
  reinterpret_cast<std::vector<OpenBox>*>(parameter)->push_back({window, text});
  return TRUE;
}

}  // namespace

std::vector<OpenBox> OpenMessageBoxes(DWORD threadId) {
  std::vector<OpenBox> boxes;
  EnumThreadWindows(threadId, CollectBox, reinterpret_cast<LPARAM>(&boxes));
  return boxes;
}

MessageBoxAnswerer::MessageBoxAnswerer(DWORD threadId, std::vector<std::string> texts)
    : threadId_(threadId), texts_(std::move(texts)), thread_([this] { Run(); }) {}

MessageBoxAnswerer::~MessageBoxAnswerer() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

std::vector<AnsweredBox> MessageBoxAnswerer::Finish() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  return answered_;
}

void MessageBoxAnswerer::Run() {
  for (const std::string& expected : texts_) {
    for (int poll = 0; poll < kPollsPerBox && !stop_; ++poll) {
      const std::vector<OpenBox> boxes = OpenMessageBoxes(threadId_);
      HWND target = nullptr;
      for (const OpenBox& box : boxes) {
        if (box.text == expected) target = box.window;
      }
      if (target != nullptr) {
        answered_.push_back({expected, static_cast<int>(boxes.size())});
        PostMessageA(target, WM_COMMAND, IDOK, 0);
        // Wait for it to close, so that the next expected box is not taken for this one.
        for (int wait = 0; wait < kPollsPerBox && IsWindow(target) && IsWindowVisible(target);
             ++wait) {
          std::this_thread::sleep_for(kPoll);
        }
        break;
      }
      std::this_thread::sleep_for(kPoll);
    }
  }
  // Nothing may stay open once the expected boxes are done, or the tested thread never returns.
  while (!stop_) {
    for (const OpenBox& box : OpenMessageBoxes(threadId_)) {
      answered_.push_back({"unexpected: " + box.text, 0});
      PostMessageA(box.window, WM_COMMAND, IDOK, 0);
    }
    std::this_thread::sleep_for(kPoll);
  }
}
