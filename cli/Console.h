// The platform's side of the command line: standard output and error, and the text the generator
// works in. One source file a platform: ConsoleWindows.cpp, ConsolePosix.cpp.
#pragma once
#include <memory>

#include "cli/core/Run.h"

// Readies the process before anything else runs: libraries from the system folder only on
// Windows; on other systems a closed pipe fails a write instead of ending the process by signal.
void PrepareProcess();

std::unique_ptr<CliConsole> OpenStandardConsole();

// From the arguments' UTF-8 to the generator's text, and the length of a character there.
ToGeneratorText GeneratorTextConversion();
CharacterLength GeneratorCharacterLength();

// The system's generator, its library loaded from the system folder.
FillRandomBytes SystemRandomBytes();
