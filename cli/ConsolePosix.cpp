// Standard output and error on Linux and other POSIX systems: the arguments, the generator's text
// and the output are all UTF-8, a character of several bytes counting as one.
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "cli/Console.h"

namespace {
bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

class PosixConsole : public CliConsole {
 public:
  bool Out(const std::string& text) override {
    return WriteAll(STDOUT_FILENO, text.data(), text.size());
  }
  void Error(const std::string& line) override {
    const std::string text = line + "\n";
    WriteAll(STDERR_FILENO, text.data(), text.size());
  }
  const char* LineEnd() const override { return "\n"; }
};
}  // namespace

void PrepareProcess() { signal(SIGPIPE, SIG_IGN); }

std::unique_ptr<CliConsole> OpenStandardConsole() { return std::make_unique<PosixConsole>(); }

ToGeneratorText GeneratorTextConversion() { return {}; }

CharacterLength GeneratorCharacterLength() { return Utf8CharacterLength; }

FillRandomBytes SystemRandomBytes() { return FillFromSystem; }
