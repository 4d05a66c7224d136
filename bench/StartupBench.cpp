// Times the real program from outside: start-up until the main window is visible, paired in each
// round with the system's notepad, a bare window (bare_window.exe) and the floor (floor_window.exe:
// the bare window with the program's manifest and the main window's controls, nothing else)
// started the same way, with the ratios of the medians; then one Generate of 1000 passwords of 100
// characters appended to a list that already holds 100,000 characters, beside the yardstick: a bare
// edit control of this process made as the list is (styles, font, size, visible, the same text)
// taking the same passwords in one EM_REPLACESEL.
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

// Milliseconds a bare edit control like `list` takes to append `addition` to `existing` in one
// replacement of the selection.
double BareAppend(HWND list, const std::string& existing, const std::string& addition) {
  // The program's manifest, so that the edit control is the same common controls' one.
  ACTCTXA context{};
  context.cbSize = sizeof context;
  context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  const std::string exe = TallowmereExe();
  context.lpSource = exe.c_str();
  context.lpResourceName = MAKEINTRESOURCEA(1);
  HANDLE manifest = CreateActCtxA(&context);
  ULONG_PTR cookie = 0;
  if (manifest == INVALID_HANDLE_VALUE || !ActivateActCtx(manifest, &cookie))
    return std::fprintf(stderr, "no manifest context\n"), std::exit(1), 0;
  LoadLibraryA("comctl32.dll");
  RECT r;
  GetWindowRect(list, &r);
  HWND top = CreateWindowExA(0, "STATIC", "Yardstick", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                             r.right - r.left + 40, r.bottom - r.top + 80, nullptr, nullptr,
                             nullptr, nullptr);
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(list, GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrA(list, GWL_EXSTYLE));
  HWND edit = CreateWindowExA(exStyle, "EDIT", "", style | WS_VISIBLE, 0, 0, r.right - r.left,
                              r.bottom - r.top, top, nullptr, nullptr, nullptr);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  // The list's font: Courier New, 10 points, in the window's character set.
  HFONT font = CreateFontA(-MulDiv(10, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                           RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Courier New");
  SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageA(edit, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
  SetWindowTextA(edit, existing.c_str());
  UpdateWindow(top);
  SendMessageA(edit, EM_SETSEL, existing.size(), existing.size());
  const double start = Now();
  SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(addition.c_str()));
  const double took = Now() - start;
  DestroyWindow(top);
  DeleteObject(font);
  DeactivateActCtx(0, cookie);
  ReleaseActCtx(manifest);
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

  std::vector<double> generate, bare;
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
    // The same passwords again, as the list took them, into the yardstick.
    const std::string passwords = WindowText(list).substr(existing.size());
    bare.push_back(BareAppend(list, existing, passwords));
    PostMessageA(main, WM_CLOSE, 0, 0);
    app.WaitForExit();
  }
  Print("Generate 1000 x 100 onto 100,000 characters", generate);
  Print("a bare edit control taking the same text", bare);
  std::printf("Generate to the bare edit control %.2f\n", Median(generate) / Median(bare));
  return 0;
}
