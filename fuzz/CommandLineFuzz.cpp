// Fuzzes the command-line splitter: any bytes, no crash; quotes never survive, and an argument of
// plain characters after the program path comes back unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/core/Text.h"
#include "install/core/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  const std::string first = FirstArgument(line);
  if (first.find('"') != std::string::npos) abort();
  if (first.size() > line.size()) abort();
  if (HasUninstallSwitch(line) != (LowerAscii(first) == "/uninstall")) abort();

  // The input as a plain argument (separators and quotes taken out), after a quoted program path.
  std::string plain;
  for (char c : line)
    if (static_cast<unsigned char>(c) > ' ' && c != '"') plain += c;
  if (!plain.empty() && FirstArgument("\"C:\\Program Files\\x.exe\" " + plain + " rest") != plain)
    abort();
  if (FirstArgument("x.exe \"" + plain + "\"") != plain) abort();
  return 0;
}
