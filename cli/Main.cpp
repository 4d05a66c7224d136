// tallowmere-cli: passwords for scripts and bulk work, from the window program's generator.
#include <exception>
#include <string>
#include <vector>

#include "cli/Console.h"

namespace {
int Run(const std::vector<std::string>& args, bool slashHelp) {
  PrepareProcess();
  const std::unique_ptr<CliConsole> console = OpenStandardConsole();
  try {
    const ParsedArguments parsed = ParseArguments(args, GeneratorTextConversion(), slashHelp);
    if (!parsed.Error.empty()) {
      console->Error("tallowmere-cli: " + parsed.Error);
      return kExitUsage;
    }
    SystemSource source(SystemRandomBytes());
    return RunCli(parsed.Options, *console, source, GeneratorCharacterLength());
  } catch (const std::exception& e) {
    console->Error(std::string("tallowmere-cli: ") + e.what());
    return kExitRefused;
  }
}
}  // namespace

#ifdef _WIN32
#include <windows.h>

// The arguments arrive as UTF-16 and go on as UTF-8; the generator's text is made from them later.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(static_cast<size_t>(n > 0 ? n : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, &arg[0], n, nullptr, nullptr);
    arg.resize(arg.size() - 1);
    args.push_back(arg);
  }
  return Run(args, true);
}
#else
int main(int argc, char** argv) {
  return Run(std::vector<std::string>(argv + 1, argv + argc), false);
}
#endif
