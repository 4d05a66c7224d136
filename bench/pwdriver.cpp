// pwdriver LENGTH COUNT: prints COUNT passwords of LENGTH characters, one per line, drawn from the
// system's generator with all four classes; for timing the generator as a whole process.
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "generator/PasswordGenerator.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: pwdriver LENGTH COUNT\n");
    return 2;
  }
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);  // the text already ends its lines in CR LF
#endif
  PasswordRequest r;
  r.PasswordLength = std::atoi(argv[1]);
  r.PasswordCount = std::atoi(argv[2]);
  r.UseLowercase = r.UseUppercase = r.UseDigits = r.UseSpecial = true;
  try {
    SystemSource system;
    std::string text;
    GeneratePasswords(
        r, text, [](const std::string& m) { std::fprintf(stderr, "%s\n", m.c_str()); }, system);
    text += "\r\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
