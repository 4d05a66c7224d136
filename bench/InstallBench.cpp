// Times the release's setup from outside: its size, a silent install into a fresh folder, and the
// entry's uninstall command answered Yes (the two boxes are answered as soon as they appear).
// Usage: install_bench [runs]   (prints the median and all runs, in milliseconds)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/Timing.h"
#include "tests/e2e/AppDriver.h"
#include "tests/support/ProgramRegistry.h"

namespace {

const std::string Folder = "C:\\Program Files\\Brindle Bench";

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
  WIN32_FILE_ATTRIBUTE_DATA setup{};
  GetFileAttributesExA(TALLOWMERE_SETUP, GetFileExInfoStandard, &setup);
  std::printf("%-44s %8lu bytes\n", "setup size", setup.nFileSizeLow);

  std::vector<double> install, uninstall;
  for (int i = 0; i < runs; ++i) {
    ProgramRegistryState::Clear();
    double start = Now();
    AppDriver setupRun(CommandLine{"\"" TALLOWMERE_SETUP "\" /S /D=" + Folder});
    if (setupRun.WaitForExit(60000) != 0) return std::fprintf(stderr, "setup failed\n"), 1;
    install.push_back(Now() - start);

    start = Now();
    AppDriver remove(CommandLine{MachineValue(EntryKey, "UninstallString")});
    bool sawWindow = false;
    Answer(remove, IDOK, sawWindow);
    Answer(remove, IDOK, sawWindow);
    if (remove.WaitForExit() != 0) return std::fprintf(stderr, "uninstall failed\n"), 1;
    uninstall.push_back(Now() - start);

    // What the next logon would remove.
    DeleteFileA((Folder + "\\Tallowmere.exe").c_str());
    RemoveDirectoryA(Folder.c_str());
  }
  ProgramRegistryState::Clear();
  Print("silent install (setup /S /D=...)", install);
  Print("uninstall (entry's command, answered Yes)", uninstall);
  return 0;
}
