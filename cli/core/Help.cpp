// The text of --help.
#include "cli/core/Run.h"

namespace {
const char* const kHelp[] = {
    "Usage: tallowmere-cli [options]",
    "Prints passwords or passphrases, one a line, drawn from the system's cryptographic",
    "generator.",
    "With no options: one password of 16 characters of all four classes.",
    "",
    "  -l, --length N      characters in each password, 1 to 100 (16)",
    "  -n, --count N       how many, 1 to 10000000 (1)",
    "      --leave-out CHARS  never use these characters (nor words that hold one)",
    "",
    "Passwords:",
    "      --lower         lowercase letters",
    "      --upper         uppercase letters",
    "      --digits        numbers",
    "      --symbols       special symbols",
    "      --custom CHARS  these characters",
    "                      Naming any of these five sets chooses exactly those; naming none",
    "                      keeps the four classes.",
    "      --no-similar    leave out look-alikes (0 1 I i l o)",
    "      --one-of-each   every password holds a character of each chosen set",
    "      --groups N      a dash after every N characters, 0 to 100 (0: none)",
    "",
    "Passphrases (words from a list of 7776):",
    "      --passphrase    passphrases instead of passwords",
    "      --words N       words in each, 3 to 20 (6)",
    "      --separator TEXT  between the words, up to 10 characters (-)",
    "      --capitalize    each word's first letter in capitals",
    "      --digit         a digit after one of the words",
    "",
    "      --strength      print the strength of one with these options, and nothing else",
    "  -h, --help          this text",
    "      --version       the version",
    "",
    "Output: on a console as Unicode; into a pipe or file as UTF-8 without a byte order mark.",
    "Exit codes: 0 done, 2 a bad option (one line on standard error), 3 the generator refused",
    "the request (its message), 4 the output could not be written.",
};
}  // namespace

std::string HelpText(const char* lineEnd) {
  std::string text;
  for (const char* line : kHelp) text += std::string(line) + lineEnd;
  return text;
}
