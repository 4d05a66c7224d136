// Times File > Open of 1, 5 and 20 MB password lists in the real program and in the system's
// notepad for the same files, each driven from outside the same way: Ctrl+O, the name typed into
// the open dialog, OK; the clock runs from OK until the text field holds the whole file. Usage:
// open_bench [runs] [sizes in MB...]   (prints the medians, in milliseconds, and the ratio)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/Timing.h"
#include "tests/e2e/AppDriver.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"

namespace {

// A list of 16-letter passwords, one per line, of about the given size.
std::string MakeList(const std::string& path, size_t megabytes) {
  std::string text;
  unsigned state = 12345;
  while (text.size() < megabytes << 20) {
    for (int i = 0; i < 16; ++i) {
      state = state * 1103515245u + 12345u;
      text += static_cast<char>('a' + (state >> 16) % 26);
    }
    text += "\r\n";
  }
  WriteFileText(path, text);
  return text;
}

// Opens the file through the program's open dialog; milliseconds from OK until the text field
// holds `length` characters, or a negative number when something did not show up.
double TimeOpen(AppDriver& app, HWND main, HWND field, const std::string& path, size_t length) {
  PressCtrl(main, 'O');
  HWND dialog = app.WaitForWindow("#32770", "Open");
  if (!dialog) return -1;
  SetText(FileNameField(dialog), path);
  const double start = Now();
  PressButton(dialog, IDOK);
  // A busy program answers only once the text is in: the first answer after OK tells the time.
  while (static_cast<size_t>(SendMessageA(field, WM_GETTEXTLENGTH, 0, 0)) < length) {
    if (Now() - start > 600000) return -2;
    Sleep(2);
  }
  return Now() - start;
}

HWND ChildEdit(HWND main) {
  for (HWND edit : FindControls(main, "Edit"))
    if (GetParent(edit) == main) return edit;
  return nullptr;
}

double OpenIn(const std::string& exe, const char* mainClass, const std::string& path,
              size_t length) {
  AppDriver app("", exe);
  HWND main = app.WaitForWindow(mainClass);
  if (!main) return -3;
  const double ms = TimeOpen(app, main, ChildEdit(main), path, length);
  PostMessageA(main, WM_CLOSE, 0, 0);
  app.WaitForExit(600000);
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
  std::vector<size_t> sizes;
  for (int i = 2; i < argc; ++i) sizes.push_back(static_cast<size_t>(std::atoi(argv[i])));
  if (sizes.empty()) sizes = {1, 5, 20};
  const TempFolder lists("open-bench");
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  const std::string notepad = std::string(system) + "\\notepad.exe";

  std::printf("%6s %14s %14s %8s\n", "MB", "ours ms", "notepad ms", "ratio");
  for (size_t mb : sizes) {
    const std::string path = lists.Path() + "\\" + std::to_string(mb) + "mb.txt";
    const size_t length = MakeList(path, mb).size();
    std::vector<double> ours, theirs;
    for (int r = 0; r < runs; ++r) {
      ours.push_back(OpenIn(TallowmereExe(), "TSDIAppForm", path, length));
      theirs.push_back(OpenIn(notepad, "Notepad", path, length));
    }
    const double a = Median(ours), b = Median(theirs);
    std::printf("%6zu %14.0f %14.0f %8.2f\n", mb, a, b, b > 0 ? a / b : 0.0);
    std::fflush(stdout);
    DeleteFileA(path.c_str());  // one large list on disk at a time
  }
  return 0;
}
