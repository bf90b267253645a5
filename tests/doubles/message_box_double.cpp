// The message box on the host: scripted answers and a record of every box shown.
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "platform_doubles.h"
#include "system/message_box.h"

namespace {

std::deque<int32_t> g_answers;
std::vector<ShownMessageBox> g_shown;

int32_t Show(TextView message, int32_t buttons, const char* caption, bool captionLeftOut) {
  platform_doubles_internal::RecordPlatformCall("message box");
  g_shown.push_back({message.Bytes(), buttons, caption, captionLeftOut});
  if (g_answers.empty()) return kResultOk;
  int32_t answer = g_answers.front();
  g_answers.pop_front();
  return answer;
}

}  // namespace

namespace platform_doubles_internal {

void ResetMessageBoxDouble() {
  g_answers.clear();
  g_shown.clear();
}

}  // namespace platform_doubles_internal

void ScriptMessageBoxAnswers(std::vector<int32_t> answers) {
  g_answers.assign(answers.begin(), answers.end());
}

const std::vector<ShownMessageBox>& ShownMessageBoxes() {
  return g_shown;
}

int32_t ShowMessageBox(TextView message, int32_t buttons) {
  return Show(message, buttons, kDefaultMessageCaption, true);
}

int32_t ShowMessageBox(TextView message, int32_t buttons, TextView caption) {
  return Show(message, buttons, caption.Bytes(), false);
}
