// Test tool: prints a list as the program does, so the test script can look at the job that lands.
//   PrintTool.exe empty          prints no lines
//   PrintTool.exe numbered N     prints N lines "line 0001 ABCDEFGHIJKLMNOPQRSTUVWXYZ"...
//   PrintTool.exe wide           prints one line wider than the page
// Prints the error message, if any, on stdout and exits 1.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/Printer.h"

int main(int argc, char** argv) {
  std::vector<std::string> lines;
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "numbered" && argc > 2) {
    const int n = std::atoi(argv[2]);
    for (int i = 1; i <= n; ++i) {
      char line[64];
      std::snprintf(line, sizeof line, "line %04d ABCDEFGHIJKLMNOPQRSTUVWXYZ", i);
      lines.push_back(line);
    }
  } else if (mode == "wide") {
    lines.push_back(std::string(300, 'W'));
  } else if (mode != "empty") {
    std::puts("usage: PrintTool empty | numbered N | wide");
    return 2;
  }
  try {
    PrintLines("Passwords list", lines, "Courier New", 10);
  } catch (const Exception& e) {
    std::printf("%s\n", e.what());
    return 1;
  }
  return 0;
}
