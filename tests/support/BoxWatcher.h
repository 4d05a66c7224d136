// Test helper: plays the user in front of the message boxes and dialogs a test's code shows in this
// process. A watcher thread hands each new visible top-level "#32770" window of the process to the
// next queued step; a box shown with no step queued is answered OK. Answered boxes are recorded.
#pragma once
#include <windows.h>

#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/WindowSearch.h"

class BoxWatcher {
 public:
  using Step = std::function<void(HWND dialog)>;

  BoxWatcher();
  ~BoxWatcher();
  // Queues the answer for the next box, which is recorded: a button id (IDOK, IDCANCEL,
  // IDRETRY...), or PressEscape / PressEnter to type that key instead.
  static constexpr int PressEscape = -1;
  static constexpr int PressEnter = -2;
  void Answer(int button);
  // Queues a step of the test's own for the next dialog, such as typing a name into a file
  // dialog and pressing OK. The step runs on the watcher thread.
  void Then(Step step);
  // The boxes answered so far, in order.
  std::vector<SeenBox> Seen();
  // Boxes answered so far with the given caption.
  size_t CountCaption(const std::string& caption);

 private:
  void Run();
  Step Next();
  void Record(HWND box, int button);
  std::mutex lock_;
  std::deque<Step> steps_;
  std::vector<SeenBox> seen_;
  std::atomic<bool> stop_{false};
  DWORD pid_;
  std::thread thread_;
};
