// Times the real program from outside: start-up until the main window is visible, and one Generate
// of 1000 passwords of 100 characters appended to a list that already holds 100,000 characters.
// Usage: startup_bench [runs]   (prints the median and all runs, in milliseconds)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/Timing.h"
#include "tests/e2e/AppDriver.h"

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
  std::vector<double> startup, generate;
  for (int i = 0; i < runs; ++i) {
    const double start = Now();
    AppDriver app;
    HWND main = app.WaitForWindow("TSDIAppForm", "Tallowmere");
    if (!main) return std::fprintf(stderr, "no main window\n"), 1;
    startup.push_back(Now() - start);

    HWND list = nullptr;
    for (HWND edit : FindControls(main, "Edit"))
      if (GetParent(edit) == main) list = edit;
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
  Print("start-up to visible main window", startup);
  Print("Generate 1000 x 100 onto 100,000 characters", generate);
  return 0;
}
