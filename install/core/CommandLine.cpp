// Splitting the command line into its first argument.
#include "install/core/CommandLine.h"

#include "framework/core/Text.h"

namespace {

bool IsSeparator(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Reads one token starting at pos; returns where the scan stopped.
size_t NextToken(const std::string& line, size_t pos, std::string& token) {
  token.clear();
  // Separators, and empty quote pairs, before a token are skipped alike.
  for (;;) {
    while (pos < line.size() && IsSeparator(line[pos])) ++pos;
    if (pos + 1 < line.size() && line[pos] == '"' && line[pos + 1] == '"')
      pos += 2;
    else
      break;
  }
  while (pos < line.size() && !IsSeparator(line[pos])) {
    if (line[pos] != '"') {
      token += line[pos++];
      continue;
    }
    ++pos;  // opening quote: everything up to the closing one belongs to the token
    while (pos < line.size() && line[pos] != '"') token += line[pos++];
    if (pos < line.size()) ++pos;
  }
  return pos;
}

}  // namespace

std::string Argument(const std::string& commandLine, int n) {
  std::string token;
  size_t pos = NextToken(commandLine, 0, token);  // the program's path
  for (int i = 0; i < n; ++i) pos = NextToken(commandLine, pos, token);
  return n > 0 ? token : "";
}

std::string FirstArgument(const std::string& commandLine) { return Argument(commandLine, 1); }

bool HasUninstallSwitch(const std::string& commandLine) {
  return LowerAscii(FirstArgument(commandLine)) == "/uninstall";
}

bool HasSilentSwitch(const std::string& commandLine) {
  return HasUninstallSwitch(commandLine) && LowerAscii(Argument(commandLine, 2)) == "/s";
}
