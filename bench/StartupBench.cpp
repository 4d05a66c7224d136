// Times the real program from outside: start-up until the main window is visible, paired in each
// round with the system's notepad, a bare window (bare_window.exe) and the floor (floor_window.exe:
// the bare window with the program's manifest and the main window's controls, nothing else)
// started the same way, with the ratios of the medians; then one Generate of 1000 passwords of 100
// characters appended to a list that already holds 100,000 characters, beside the yardstick: a bare
// edit control of this process made as the list is (styles, font, size, visible, the same text)
// taking the same passwords in one EM_REPLACESEL. Generate is timed from the click; finding its
// button from here, some fifty questions to the idle window, is timed on a line of its own.
// Usage: startup_bench [runs] [another Tallowmere.exe to time beside this one]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/Timing.h"
#include "tests/e2e/AppDriver.h"
#include "tests/support/WaitUntil.h"

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

// The list's text before Generate: 100,000 characters and a little more, in lines of 98.
std::string ExistingList() {
  const std::string filler = std::string(98, 'x') + "\r\n";
  std::string existing;
  while (existing.size() < 100000) existing += filler;
  return existing;
}

// The list's window styles and size, which the yardstick copies.
struct ListShape {
  DWORD style, exStyle;
  int width, height;
};

// In a fresh process, as Generate's own: makes a bare edit control of `shape` holding the list's
// text and returns in microseconds how long one EM_REPLACESEL of the file's text took.
int BareAppendHere(const ListShape& shape, const char* file) {
  std::string addition;
  if (FILE* f = std::fopen(file, "rb")) {
    char piece[4096];
    for (size_t n; (n = std::fread(piece, 1, sizeof piece, f)) > 0;) addition.append(piece, n);
    std::fclose(f);
  }
  // The program's manifest, so that the edit control is the same common controls' one.
  ACTCTXA context{};
  context.cbSize = sizeof context;
  context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  const std::string exe = TallowmereExe();
  context.lpSource = exe.c_str();
  context.lpResourceName = MAKEINTRESOURCEA(1);
  HANDLE manifest = CreateActCtxA(&context);
  ULONG_PTR cookie = 0;
  if (manifest == INVALID_HANDLE_VALUE || !ActivateActCtx(manifest, &cookie)) return -1;
  LoadLibraryA("comctl32.dll");
  HWND top =
      CreateWindowExA(0, "STATIC", "Yardstick", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                      shape.width + 40, shape.height + 80, nullptr, nullptr, nullptr, nullptr);
  HWND edit = CreateWindowExA(shape.exStyle, "EDIT", "", shape.style | WS_VISIBLE, 0, 0,
                              shape.width, shape.height, top, nullptr, nullptr, nullptr);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  // The list's font: Courier New, 10 points, in the window's character set.
  HFONT font = CreateFontA(-MulDiv(10, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                           RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Courier New");
  SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageA(edit, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
  const std::string existing = ExistingList();
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
  return static_cast<int>(took * 1000);
}

// Milliseconds the yardstick takes to append `addition`, in a fresh process as each Generate is
// timed in one (a warm one is faster).
double BareAppend(const ListShape& shape, const std::string& addition) {
  char self[MAX_PATH] = {}, folder[MAX_PATH] = {}, file[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  GetTempPathA(MAX_PATH, folder);
  GetTempFileNameA(folder, "bare", 0, file);
  if (FILE* f = std::fopen(file, "wb")) {
    std::fwrite(addition.data(), 1, addition.size(), f);
    std::fclose(f);
  }
  char arguments[512];
  std::snprintf(arguments, sizeof arguments, "\"%s\" --bare %lu %lu %d %d \"%s\"", self,
                shape.style, shape.exStyle, shape.width, shape.height, file);
  AppDriver bare(CommandLine{arguments});
  const DWORD micros = bare.WaitForExit(60000);
  DeleteFileA(file);
  if (static_cast<int>(micros) < 0 || micros == STILL_ACTIVE)
    return std::fprintf(stderr, "no yardstick\n"), std::exit(1), 0;
  return micros / 1000.0;
}

// Milliseconds one Generate of 1000 passwords of 100 characters takes in `exe` onto the list's
// text; `passwords` and `shape` answer what the list took and how it is made, `settled` how long
// the window was still busy after the options were set, `lookup` how long finding the Generate
// button from here took (some fifty questions to the idle window).
double TimeGenerate(const std::string& exe, std::string& passwords, ListShape& shape,
                    double& settled, double& lookup) {
  AppDriver app("", exe);
  HWND main = app.WaitForWindow("TSDIAppForm", "Tallowmere");
  if (!main) return std::fprintf(stderr, "no main window\n"), std::exit(1), 0;
  HWND list = PasswordList(main);
  const std::string existing = ExistingList();
  SetText(list, existing);
  for (HWND b : FindControls(main, "Button"))
    if (WindowText(b) == "Custom") ClickButton(b);  // both custom rows: length and count
  for (HWND e : FindControls(main, "Edit")) {
    if (WindowText(e) == "8")
      SetText(e, "100");
    else if (WindowText(e) == "1")
      SetText(e, "1000");
  }
  // Generate alone, in the window in front as a user's click finds it: the strength of the options
  // just set is measured at idle first, and a click sent meanwhile would wait for it.
  SetForegroundWindow(main);
  WaitUntil([main] { return GetForegroundWindow() == main; }, 1000);
  Sleep(200);
  const double settling = Now();
  SendMessageA(main, WM_NULL, 0, 0);
  settled = Now() - settling;
  // Found before the clock starts: a user's click needs no search.
  const double lookingUp = Now();
  HWND generate = FindControl(main, "Button", "Generate");
  lookup = Now() - lookingUp;
  const double clicked = Now();
  ClickButton(generate);
  const double took = Now() - clicked;
  const size_t expected = existing.size() + 1000 * 102;
  if (static_cast<size_t>(SendMessageA(list, WM_GETTEXTLENGTH, 0, 0)) != expected)
    return std::fprintf(stderr, "unexpected list length\n"), std::exit(1), 0;
  passwords = WindowText(list).substr(existing.size());
  RECT r;
  GetWindowRect(list, &r);
  shape = {static_cast<DWORD>(GetWindowLongPtrA(list, GWL_STYLE)),
           static_cast<DWORD>(GetWindowLongPtrA(list, GWL_EXSTYLE)), r.right - r.left,
           r.bottom - r.top};
  PostMessageA(main, WM_CLOSE, 0, 0);
  app.WaitForExit();
  return took;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 7 && std::string(argv[1]) == "--bare")
    return BareAppendHere({static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)),
                           static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10)),
                           std::atoi(argv[4]), std::atoi(argv[5])},
                          argv[6]);
  // --generate times only Generate; each further program's Generate is timed beside ours.
  const bool generateOnly = argc > 1 && std::string(argv[1]) == "--generate";
  if (generateOnly) --argc, ++argv;
  const int runs = argc > 1 ? std::atoi(argv[1]) : 9;
  const std::string other = argc > 2 ? argv[2] : "";
  const std::vector<std::string> others(argv + std::min(argc, 2), argv + argc);
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  const std::string notepad = std::string(system) + "\\notepad.exe";
  std::vector<double> ours, theirs, notepads, bares, floors;
  for (int i = 0; i < runs && !generateOnly; ++i) {
    ours.push_back(TimeToWindow(TallowmereExe(), "TSDIAppForm"));
    if (!other.empty()) theirs.push_back(TimeToWindow(other, "TSDIAppForm"));
    notepads.push_back(TimeToWindow(notepad, "Notepad"));
    bares.push_back(TimeToWindow(TALLOWMERE_BARE_WINDOW, "TBareWindow"));
    floors.push_back(TimeToWindow(TALLOWMERE_FLOOR_WINDOW, "TBareWindow"));
  }
  if (!generateOnly) {
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
  }

  std::vector<double> generate, bare, settle, lookups;
  std::vector<std::vector<double>> otherGenerate(others.size()), otherLookups(others.size());
  for (int i = 0; i < runs; ++i) {
    std::string passwords, unused;
    ListShape shape{}, otherShape{};
    double busy = 0, lookup = 0;
    generate.push_back(TimeGenerate(TallowmereExe(), passwords, shape, busy, lookup));
    settle.push_back(busy);
    lookups.push_back(lookup);
    for (size_t o = 0; o < others.size(); ++o) {
      otherGenerate[o].push_back(TimeGenerate(others[o], unused, otherShape, busy, lookup));
      otherLookups[o].push_back(lookup);
    }
    bare.push_back(BareAppend(shape, passwords));
  }
  Print("still busy 200 ms after the options were set", settle);
  Print("finding the Generate button from outside", lookups);
  for (size_t o = 0; o < others.size(); ++o)
    Print(("the same, " + others[o]).c_str(), otherLookups[o]);
  Print("Generate 1000 x 100 onto 100,000 characters", generate);
  for (size_t o = 0; o < others.size(); ++o)
    Print(("the same, " + others[o]).c_str(), otherGenerate[o]);
  Print("a bare edit control taking the same text", bare);
  std::printf("Generate to the bare edit control %.2f", Median(generate) / Median(bare));
  for (size_t o = 0; o < others.size(); ++o)
    std::printf(", program %zu's %.2f", o + 1, Median(otherGenerate[o]) / Median(bare));
  std::printf("\n");
  return 0;
}
