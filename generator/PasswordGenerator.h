// Turns a password request into the text of the passwords: one per line, lines joined by CR LF.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "generator/RandomSource.h"

struct PasswordRequest {
  int32_t PasswordLength = 0;
  bool UseLowercase = false;
  bool UseUppercase = false;
  bool UseDigits = false;
  bool UseSpecial = false;
  bool ExcludeSimilar = false;
  int32_t PasswordCount = 0;
  bool UseCustom = false;
  std::string CustomCharacters;
  bool UseGroups = false;
  int32_t GroupSize = 0;
};

// Shows a validation message to the user and returns when it is closed.
using Notice = std::function<void(const std::string&)>;

// The length in bytes of the character that starts at `text` (`left` bytes remain, at least one),
// or 0 when the bytes there start no whole character. Empty: every byte is a character of its own,
// as in a single-byte code page.
using CharacterLength = std::function<size_t(const char* text, size_t left)>;

// How a request ended. After a refusal its message has been shown and `output` is as it was.
enum class GenerateOutcome {
  Done,
  Refused,            // no character class, or a blank custom set
  NothingAcceptable,  // every character allowed is excluded as a look-alike
};

// Fills `output` with the passwords. A request that cannot be served shows its message through
// `notice` and leaves `output` as it was; so does a failing random source (it throws). With
// `characterLength`, a custom character of several bytes is drawn whole, as one character.
GenerateOutcome GeneratePasswords(const PasswordRequest& request, std::string& output,
                                  const Notice& notice, RandomSource& source,
                                  const CharacterLength& characterLength = {});

// Which of the drawable codes 33..256 a request accepts, and the accepted ones in ascending order;
// beside them the custom characters of more than one byte, each once, in the order typed.
struct CodeTable {
  bool Accepts[257] = {};
  unsigned char Acceptable[224] = {};  // each as the character it becomes (low 8 bits)
  uint32_t Count = 0;
  std::vector<std::string> MultiByte;
};
CodeTable BuildCodeTable(const PasswordRequest& request,
                         const CharacterLength& characterLength = {});
