// What the command line does with its options: the passwords, the strength, the help or the
// version on standard output, a message on standard error, and the exit code.
#pragma once
#include <string>

#include "cli/core/Options.h"

// The exit codes.
enum CliExit { kExitDone = 0, kExitUsage = 2, kExitRefused = 3, kExitWriteFailed = 4 };

// Standard output and standard error as the platform has them.
class CliConsole {
 public:
  virtual ~CliConsole() = default;
  // Writes text in the generator's encoding; false when the write failed.
  virtual bool Out(const std::string& text) = 0;
  // Writes one line of UTF-8 (the line end is added).
  virtual void Error(const std::string& line) = 0;
  // The line end of standard output.
  virtual const char* LineEnd() const = 0;
};

// Passwords are made and written some at a time, so that memory stays flat for any count; every
// copy is wiped. `characterLength` as the generator takes it.
int RunCli(const CliOptions& options, CliConsole& console, RandomSource& source,
           const CharacterLength& characterLength);

// The usage text, lines ended by `lineEnd`.
std::string HelpText(const char* lineEnd);
