// Test helper: answers the message boxes and dialogs a test's code shows on this thread.
// A watcher thread finds each new top-level "#32770" window of the process, records its caption,
// text and button captions, and presses the button the test queued for it.
#pragma once
#include <windows.h>

#include <atomic>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct SeenBox {
  std::string caption;
  std::string text;
  std::vector<std::string> buttons;  // captions of the push buttons, in z-order
  bool hasIcon = false;
  RECT rect{};
};

class BoxWatcher {
 public:
  BoxWatcher();
  ~BoxWatcher();
  // Queues the answer for the next box: a button id (IDOK, IDCANCEL, IDRETRY...), or
  // PressEscape / PressEnter to send that key instead.
  static constexpr int PressEscape = -1;
  static constexpr int PressEnter = -2;
  void Answer(int button);
  std::vector<SeenBox> Seen();
  // Boxes shown so far with the given caption.
  size_t CountCaption(const std::string& caption);

 private:
  void Run();
  std::mutex lock_;
  std::deque<int> answers_;
  std::vector<SeenBox> seen_;
  std::atomic<bool> stop_{false};
  DWORD pid_;
  std::thread thread_;
};
