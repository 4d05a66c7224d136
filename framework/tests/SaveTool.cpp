// Test tool: saves a text of the given size over a file as the program does, for the script that
// runs it with a file-size limit to play a full disk.
//   SaveTool.exe PATH BYTES
// Prints the error message, if any, on stdout and exits 1.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/Exceptions.h"
#include "framework/FileStream.h"
#include "framework/WideText.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::puts("usage: SaveTool PATH BYTES");
    return 2;
  }
  try {
    SaveFileSafely(AnsiToWide(argv[1]), std::string(std::strtoul(argv[2], nullptr, 10), 'n'));
  } catch (const Exception& e) {
    std::printf("%s\n", e.what());
    return 1;
  }
  return 0;
}
