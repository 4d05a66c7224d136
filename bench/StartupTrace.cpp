// Where the start-up's time goes: runs the program's own sequence (RunProgram) in this process,
// notes the time each phase ends, measured from the process's creation, and closes the main window
// as soon as it is first shown. With a number of runs, starts itself that often and prints each
// phase's median.
// Usage: startup_trace [runs]   (under Wine: wine startup_trace.exe 9)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "app/Program.h"
#include "bench/Timing.h"
#include "framework/Application.h"
#include "framework/LateBound.h"
#include "framework/Owned.h"
#include "framework/StartupPhases.h"

namespace late {
VOID WINAPI GetSystemTimePreciseAsFileTime(LPFILETIME time);
}  // namespace late

namespace {

double Milliseconds(const FILETIME& t) {
  return static_cast<double>(ULARGE_INTEGER{{t.dwLowDateTime, t.dwHighDateTime}}.QuadPart) / 1e4;
}

double SinceCreation() {
  static const auto precise = LATE_BOUND("kernel32.dll", GetSystemTimePreciseAsFileTime);
  FILETIME now, created, exited, kernel, user;
  (precise ? precise : GetSystemTimeAsFileTime)(&now);
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  return Milliseconds(now) - Milliseconds(created);
}

FILE* out = nullptr;

void Note(const char* phase);
HHOOK visibleHook = nullptr;

// Notes once when the main window is first found visible, painted or not, which is what the
// start-up benchmark waits for. Looked for at the end of every phase and, from FormCreate on, at
// every message the thread handles: the window becomes visible early in ShowWindow, before the
// activation and the painting.
void NoteIfVisible() {
  static bool noted = false;
  if (noted) return;
  HWND main = FindWindowA("TSDIAppForm", nullptr);
  DWORD process = 0;
  if (main) GetWindowThreadProcessId(main, &process);
  if (process != GetCurrentProcessId() || !IsWindowVisible(main)) return;
  noted = true;
  Note("visible (not yet painted)");
  if (visibleHook) UnhookWindowsHookEx(visibleHook);  // the painting runs unhooked
  visibleHook = nullptr;
}

LRESULT CALLBACK NoteVisible(int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallNextHookEx(nullptr, code, wParam, lParam);
  if (code == HC_ACTION) NoteIfVisible();
  return result;
}

void Note(const char* phase) {
  std::fprintf(out, "%s\t%.2f\n", phase, SinceCreation());
  NoteIfVisible();
  // Hooked only now: a hook on every message would slow the phases before the first show.
  static bool hooked = false;
  if (!hooked && std::string(phase) == "FormCreate") {
    hooked = true;
    visibleHook = SetWindowsHookExA(WH_CALLWNDPROCRET, NoteVisible, nullptr, GetCurrentThreadId());
  }
  if (std::string(phase) == "first show") PostMessageA(Application.MainWindow, WM_CLOSE, 0, 0);
}

// One traced start in this process, its lines appended to the file.
int TraceOnce(const char* file) {
  out = std::fopen(file, "a");
  if (!out) return 1;
  Note("entry");
  StartupPhaseListener = Note;
  const int code = RunProgram(SW_SHOWNORMAL);
  std::fclose(out);
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--once") return TraceOnce(argv[2]);
  const int runs = argc > 1 ? std::atoi(argv[1]) : 9;
  char self[MAX_PATH], file[MAX_PATH], folder[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  GetTempPathA(MAX_PATH, folder);
  GetTempFileNameA(folder, "tlt", 0, file);
  for (int i = 0; i < runs; ++i) {
    std::string command = "\"" + std::string(self) + "\" --once \"" + file + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &child))
      return std::fprintf(stderr, "cannot start %s\n", self), 1;
    const KernelHandle process(child.hProcess), thread(child.hThread);
    WaitForSingleObject(process.Get(), 30000);
  }
  // Phases in the order of the first run; a name that comes twice (each form's) is numbered.
  std::vector<std::string> order;
  std::map<std::string, std::vector<double>> times;
  FILE* in = std::fopen(file, "r");
  char name[128];
  double ms = 0;
  std::map<std::string, int> seen;
  while (in && std::fscanf(in, "%127[^\t]\t%lf\n", name, &ms) == 2) {
    std::string key = name;
    if (key == "entry") seen.clear();
    if (const int n = ++seen[key]; n > 1) key += " (" + std::to_string(n) + ")";
    if (!times.count(key)) order.push_back(key);
    times[key].push_back(ms);
  }
  if (in) std::fclose(in);
  DeleteFileA(file);
  std::printf("%-44s %10s %10s   (medians of %d runs, ms from process creation)\n", "phase ends",
              "at", "takes", runs);
  double before = 0;
  for (const std::string& key : order) {
    const double at = Median(times[key]);
    std::printf("%-44s %10.1f %10.1f\n", key.c_str(), at, at - before);
    before = at;
  }
  return 0;
}
