// Turns a password request into the text of the passwords: one per line, lines joined by CR LF.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

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

// Fills `output` with the passwords. A request that cannot be served shows its message through
// `notice` and leaves `output` as it was; so does a failing random source (it throws).
void GeneratePasswords(const PasswordRequest& request, std::string& output, const Notice& notice,
                       RandomSource& source);

// Which of the drawable codes 33..256 a request accepts, and the accepted ones in ascending order.
struct CodeTable {
  bool Accepts[257] = {};
  unsigned char Acceptable[224] = {};  // each as the character it becomes (low 8 bits)
  uint32_t Count = 0;
};
CodeTable BuildCodeTable(const PasswordRequest& request);
