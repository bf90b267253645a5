// Answers the message boxes of one thread from another thread, in an expected order, the way a
// user would: each box only once it is open on the screen.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

struct AnsweredBox {
  std::string text;
  int openBoxes = 0;  // boxes of the thread open at the moment it was answered
};

// The thread's open message boxes (dialogs of the class #32770), with the text each shows.
struct OpenBox {
  HWND window;
  std::string text;
};
std::vector<OpenBox> OpenMessageBoxes(DWORD threadId);

class MessageBoxAnswerer {
 public:
  // Answers with OK, in turn, a box showing each of `texts`; a box that does not come within the
  // wait is skipped, and any box still open at the end is answered too, so no run hangs.
  MessageBoxAnswerer(DWORD threadId, std::vector<std::string> texts);
  ~MessageBoxAnswerer();
  MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
  MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

  // Waits for the thread to finish and hands over what it answered, in order.
  std::vector<AnsweredBox> Finish();

 private:
  void Run();

  DWORD threadId_;
  std::vector<std::string> texts_;
  std::vector<AnsweredBox> answered_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};
