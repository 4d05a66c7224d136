// Test helper: answers message boxes and drives dialogs from a watcher thread.
#include "tests/support/BoxWatcher.h"

#include <algorithm>
#include <set>

BoxWatcher::BoxWatcher() : pid_(GetCurrentProcessId()), thread_([this] { Run(); }) {}

BoxWatcher::~BoxWatcher() {
  stop_ = true;
  thread_.join();
}

void BoxWatcher::Answer(int button) {
  Then([this, button](HWND box) { Record(box, button); });
}

void BoxWatcher::Then(Step step) {
  std::lock_guard<std::mutex> g(lock_);
  steps_.push_back(std::move(step));
}

std::vector<SeenBox> BoxWatcher::Seen() {
  std::lock_guard<std::mutex> g(lock_);
  return seen_;
}

size_t BoxWatcher::CountCaption(const std::string& caption) {
  std::lock_guard<std::mutex> g(lock_);
  return std::count_if(seen_.begin(), seen_.end(),
                       [&](const SeenBox& b) { return b.caption == caption; });
}

BoxWatcher::Step BoxWatcher::Next() {
  std::lock_guard<std::mutex> g(lock_);
  if (steps_.empty()) return [this](HWND box) { Record(box, IDOK); };
  Step step = std::move(steps_.front());
  steps_.pop_front();
  return step;
}

void BoxWatcher::Record(HWND box, int button) {
  const SeenBox seen = ReadBox(box);
  {
    std::lock_guard<std::mutex> g(lock_);
    seen_.push_back(seen);
  }
  if (button == PressEscape)
    PressKey(box, VK_ESCAPE);
  else if (button == PressEnter)
    PressKey(box, VK_RETURN);
  else
    PressButton(box, button);
}

void BoxWatcher::Run() {
  std::set<HWND> handled;
  while (!stop_) {
    Sleep(20);
    for (HWND box : TopLevelWindows(pid_, "#32770")) {
      if (handled.count(box)) continue;
      handled.insert(box);
      Sleep(100);  // let the box finish setting itself up, as a person would see it first
      Next()(box);
    }
    // Forget windows that are gone so a recycled handle is seen again.
    for (auto it = handled.begin(); it != handled.end();)
      it = IsWindow(*it) ? std::next(it) : handled.erase(it);
  }
}
