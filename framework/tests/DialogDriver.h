// Test helper: plays the user in front of the dialogs this process shows. Each queued step gets the
// next new visible "#32770" window of the process (file dialog, message box) on a watcher thread.
#pragma once
#include <windows.h>

#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>

class DialogDriver {
 public:
  using Step = std::function<void(HWND)>;

  DialogDriver() : thread_([this] { Run(); }) {}
  ~DialogDriver() {
    stop_ = true;
    thread_.join();
  }
  void Then(Step step) {
    std::lock_guard<std::mutex> hold(lock_);
    steps_.push_back(std::move(step));
  }
  size_t Pending() {
    std::lock_guard<std::mutex> hold(lock_);
    return steps_.size();
  }

  // Steps for the common file dialogs and message boxes.
  static std::string Text(HWND window) {
    char text[4096] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
  }
  static HWND FileNameField(HWND dialog) {
    HWND field = GetDlgItem(dialog, 0x47C);            // cmb13, the file name box
    return field ? field : GetDlgItem(dialog, 0x480);  // edt1
  }
  static std::string MessageText(HWND box) { return Text(GetDlgItem(box, 0xFFFF)); }
  static std::wstring WideMessageText(HWND box) {
    wchar_t text[4096] = {};
    GetWindowTextW(GetDlgItem(box, 0xFFFF), text, 4096);
    return text;
  }
  // Posted, so a dialog that answers with a box of its own does not hold up the driver.
  static void Press(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }
  static void Type(HWND dialog, const std::string& name) {
    SetWindowTextA(FileNameField(dialog), name.c_str());
  }
  static void Type(HWND dialog, const std::wstring& name) {
    SetWindowTextW(FileNameField(dialog), name.c_str());
  }

 private:
  void Run() {
    while (!stop_) {
      Sleep(20);
      Step step;
      {
        std::lock_guard<std::mutex> hold(lock_);
        if (steps_.empty()) continue;
        step = steps_.front();
      }
      HWND dialog = FindNewDialog();
      if (!dialog) continue;
      seen_.insert(dialog);
      Sleep(50);  // let the dialog finish its own setting up
      step(dialog);
      std::lock_guard<std::mutex> hold(lock_);
      steps_.pop_front();
    }
  }
  HWND FindNewDialog() {
    struct Search {
      DialogDriver* self;
      HWND found;
    } search{this, nullptr};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
          auto* s = reinterpret_cast<Search*>(p);
          DWORD pid = 0;
          GetWindowThreadProcessId(w, &pid);
          char cls[64] = {};
          GetClassNameA(w, cls, sizeof cls);
          if (pid == GetCurrentProcessId() && std::string(cls) == "#32770" && IsWindowVisible(w) &&
              !s->self->seen_.count(w)) {
            s->found = w;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  std::mutex lock_;
  std::deque<Step> steps_;
  std::set<HWND> seen_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};
