// Passphrases: words drawn from the word list, joined by a separator, one passphrase a line.
#pragma once
#include <cstdint>
#include <string>

#include "generator/PasswordGenerator.h"
#include "generator/WordList.h"

struct PassphraseRequest {
  int32_t Words = 6;            // 3..20
  std::string Separator = "-";  // up to 10 characters, may be empty or blank
  bool Capitalize = false;      // each word's first letter
  bool AddDigit = false;        // one digit after one of the words
  int32_t Count = 1;
  std::string LeaveOut;  // as PasswordRequest::LeaveOut: a word that would hold one is not used
};

constexpr int32_t kMinPassphraseWords = 3, kMaxPassphraseWords = 20;
constexpr size_t kMaxSeparatorLength = 10;

// Fills `output` with the passphrases, lines joined by CR LF as GeneratePasswords joins them. A
// request that cannot be served shows its message through `notice` and leaves `output` as it was;
// so does a failing random source (it throws). `words` is the program's list unless a test gives
// one; `characterLength` reads the separator and the left-out characters as GeneratePasswords does.
GenerateOutcome GeneratePassphrases(const PassphraseRequest& request, std::string& output,
                                    const Notice& notice, RandomSource& source,
                                    const WordSpan& words = ProgramWords(),
                                    const CharacterLength& characterLength = {});

// The strength of one passphrase: Words x log2(words usable), plus log2(digits usable x Words)
// with the digit. Capitals and the separator add nothing. 0 for a request Generate refuses.
double PassphraseBits(const PassphraseRequest& request, const WordSpan& words = ProgramWords(),
                      const CharacterLength& characterLength = {});
// PassphraseBits rounded to whole bits, as StrengthBits.
int PassphraseStrengthBits(const PassphraseRequest& request, const WordSpan& words = ProgramWords(),
                           const CharacterLength& characterLength = {});
