// Test helper: answers message boxes from a watcher thread.
#include "tests/support/BoxWatcher.h"

#include <algorithm>
#include <set>

namespace {

std::string WindowText(HWND w) {
  char buf[4096] = {};
  GetWindowTextA(w, buf, sizeof buf);
  return buf;
}

struct Found {
  DWORD pid;
  std::vector<HWND> boxes;
};

BOOL CALLBACK CollectBoxes(HWND w, LPARAM p) {
  auto* f = reinterpret_cast<Found*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  char cls[64] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (pid == f->pid && std::string(cls) == "#32770" && IsWindowVisible(w)) f->boxes.push_back(w);
  return TRUE;
}

BOOL CALLBACK CollectButtons(HWND w, LPARAM p) {
  auto* box = reinterpret_cast<SeenBox*>(p);
  char cls[64] = {};
  GetClassNameA(w, cls, sizeof cls);
  const std::string c = cls;
  if (c == "Button" && IsWindowVisible(w)) box->buttons.push_back(WindowText(w));
  if (c == "Static" && (GetWindowLongA(w, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
      IsWindowVisible(w) && SendMessageA(w, STM_GETICON, 0, 0))
    box->hasIcon = true;
  return TRUE;
}

}  // namespace

BoxWatcher::BoxWatcher() : pid_(GetCurrentProcessId()), thread_([this] { Run(); }) {}

BoxWatcher::~BoxWatcher() {
  stop_ = true;
  thread_.join();
}

void BoxWatcher::Answer(int button) {
  std::lock_guard<std::mutex> g(lock_);
  answers_.push_back(button);
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

void BoxWatcher::Run() {
  std::set<HWND> handled;
  while (!stop_) {
    Sleep(20);
    Found f{pid_, {}};
    EnumWindows(CollectBoxes, reinterpret_cast<LPARAM>(&f));
    for (HWND box : f.boxes) {
      if (handled.count(box)) continue;
      handled.insert(box);
      Sleep(100);  // let the box finish setting itself up, as a person would see it first
      SeenBox seen;
      seen.caption = WindowText(box);
      seen.text = WindowText(GetDlgItem(box, 0xFFFF));
      GetWindowRect(box, &seen.rect);
      EnumChildWindows(box, CollectButtons, reinterpret_cast<LPARAM>(&seen));
      int answer = IDOK;
      {
        std::lock_guard<std::mutex> g(lock_);
        seen_.push_back(seen);
        if (!answers_.empty()) {
          answer = answers_.front();
          answers_.pop_front();
        }
      }
      if (answer == PressEscape || answer == PressEnter) {
        const WPARAM key = answer == PressEscape ? VK_ESCAPE : VK_RETURN;
        // The key goes where a typed key would: to the box's focused control.
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        HWND target = box;
        if (GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &gui) && gui.hwndFocus &&
            IsChild(box, gui.hwndFocus))
          target = gui.hwndFocus;
        PostMessageA(target, WM_KEYDOWN, key, 0);
        PostMessageA(target, WM_KEYUP, key, 0xC0000000);
      } else {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
      }
    }
    // Forget windows that are gone so a recycled handle is seen again.
    for (auto it = handled.begin(); it != handled.end();)
      it = IsWindow(*it) ? std::next(it) : handled.erase(it);
  }
}
