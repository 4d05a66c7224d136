// Program entry.
#include <windows.h>

#include "app/Program.h"
#include "framework/SystemLibraries.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  RestrictLibrarySearch();  // before anything can load a library
  return RunProgram(showCommand);
}
