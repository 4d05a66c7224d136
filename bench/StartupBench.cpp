// Times the real program from outside: start-up until the main window is visible, paired in each
// round with the system's notepad, a bare window (bare_window.exe) and the floor (floor_window.exe:
// the bare window with the program's manifest and the main window's controls, nothing else)
// started the same way, with the ratios of the medians; then one Generate of 1000 passwords of 100
// characters appended to a list that already holds 100,000 characters.
// Usage: startup_bench [runs] [another Tallowmere.exe to time beside this one]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/Timing.h"
#include "tests/e2e/AppDriver.h"

namespace {

// Milliseconds from the start of the process to its visible window; the process is closed again.
double TimeToWindow(const std::string& exe, const char* className) {
  const double start = Now();
  AppDriver app(CommandLine{"\"" + exe + "\""});
  HWND window = app.WaitForWindow(className);
  const double took = Now() - start;
  if (!window) return std::fprintf(stderr, "no window from %s\n", exe.c_str()), std::exit(1), 0;
  PostMessageA(window, WM_CLOSE, 0, 0);
  app.WaitForExit();
  return took;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 9;
  const std::string other = argc > 2 ? argv[2] : "";
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  const std::string notepad = std::string(system) + "\\notepad.exe";
  std::vector<double> ours, theirs, notepads, bares, floors;
  for (int i = 0; i < runs; ++i) {
    ours.push_back(TimeToWindow(TallowmereExe(), "TSDIAppForm"));
    if (!other.empty()) theirs.push_back(TimeToWindow(other, "TSDIAppForm"));
    notepads.push_back(TimeToWindow(notepad, "Notepad"));
    bares.push_back(TimeToWindow(TALLOWMERE_BARE_WINDOW, "TBareWindow"));
    floors.push_back(TimeToWindow(TALLOWMERE_FLOOR_WINDOW, "TBareWindow"));
  }
  Print("start-up to visible main window", ours);
  if (!other.empty()) Print("the same, the other Tallowmere.exe", theirs);
  Print("notepad", notepads);
  Print("bare window (common controls, rich edit)", bares);
  Print("floor: the bare window with our controls", floors);
  std::printf("ratio to notepad %.2f, to the bare window %.2f", Median(ours) / Median(notepads),
              Median(ours) / Median(bares));
  if (!other.empty()) std::printf(", to the other program %.2f", Median(ours) / Median(theirs));
  std::printf("\nfloor: to notepad %.2f, to the bare window %.2f; ours to the floor %.2f\n",
              Median(floors) / Median(notepads), Median(floors) / Median(bares),
              Median(ours) / Median(floors));

  std::vector<double> generate;
  for (int i = 0; i < runs; ++i) {
    AppDriver app;
    HWND main = app.WaitForWindow("TSDIAppForm", "Tallowmere");
    if (!main) return std::fprintf(stderr, "no main window\n"), 1;

    HWND list = PasswordList(main);
    const std::string filler = std::string(98, 'x') + "\r\n";
    std::string existing;
    while (existing.size() < 100000) existing += filler;
    SetText(list, existing);
    auto customs = FindControls(main, "Button");
    for (HWND b : customs)
      if (WindowText(b) == "Custom") ClickButton(b);  // both custom rows: length and count
    auto edits = FindControls(main, "Edit");
    for (HWND e : edits) {
      if (WindowText(e) == "8")
        SetText(e, "100");
      else if (WindowText(e) == "1")
        SetText(e, "1000");
    }
    const double clicked = Now();
    ClickButton(FindControl(main, "Button", "Generate"));
    generate.push_back(Now() - clicked);
    const size_t expected = existing.size() + 1000 * 102;
    if (static_cast<size_t>(SendMessageA(list, WM_GETTEXTLENGTH, 0, 0)) != expected)
      return std::fprintf(stderr, "unexpected list length\n"), 1;
    PostMessageA(main, WM_CLOSE, 0, 0);
    app.WaitForExit();
  }
  Print("Generate 1000 x 100 onto 100,000 characters", generate);
  return 0;
}
