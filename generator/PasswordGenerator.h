// Turns a password request into the text of the passwords: one per line, lines joined by CR LF.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <tuple>
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
  // Every password holds a character of each chosen set (the classes and the custom set, each
  // after the removals below).
  bool AtLeastOneOfEach = false;
  // Characters never used, whichever set they belong to (blanks and line breaks are never drawn).
  std::string LeaveOut;
};
// Every field alike: a new field joins the list here too.
inline bool operator==(const PasswordRequest& a, const PasswordRequest& b) {
  const auto fields = [](const PasswordRequest& r) {
    return std::tie(r.PasswordLength, r.UseLowercase, r.UseUppercase, r.UseDigits, r.UseSpecial,
                    r.ExcludeSimilar, r.PasswordCount, r.UseCustom, r.CustomCharacters, r.UseGroups,
                    r.GroupSize, r.AtLeastOneOfEach, r.LeaveOut);
  };
  return fields(a) == fields(b);
}

// Shows a validation message to the user and returns when it is closed.
using Notice = std::function<void(const std::string&)>;

// The length in bytes of the character that starts at `text` (`left` bytes remain, at least one),
// or 0 when the bytes there start no whole character. Empty: every byte is a character of its own,
// as in a single-byte code page.
using CharacterLength = std::function<size_t(const char* text, size_t left)>;

// Splits text into its characters: single bytes are marked in `bytes`, longer ones are listed
// once each in `multi`, in the order they come. A byte that starts no character is none.
void SplitCharacters(const std::string& text, const CharacterLength& characterLength,
                     bool (&bytes)[256], std::vector<std::string>& multi);

// How a request ended. After a refusal its message has been shown and `output` is as it was.
enum class GenerateOutcome {
  Done,
  Refused,            // no character class, or a blank custom set
  NothingAcceptable,  // every character allowed is excluded as a look-alike or left out, or the
                      // dash that joins groups is left out
  CannotMeet,         // one of each chosen set: too short, a set left empty, or too rare
};

// Fills `output` with the passwords. A request that cannot be served shows its message through
// `notice` and leaves `output` as it was; so does a failing random source (it throws). With
// `characterLength`, a custom character of several bytes is drawn whole, as one character.
GenerateOutcome GeneratePasswords(const PasswordRequest& request, std::string& output,
                                  const Notice& notice, RandomSource& source,
                                  const CharacterLength& characterLength = {});

// The strength of one password under the request: the base-2 logarithm of the number of
// passwords it can produce, all equally likely (with AtLeastOneOfEach, only those that hold one of
// each chosen set). 0 for a request that Generate refuses; dashes add nothing.
double PasswordBits(const PasswordRequest& request, const CharacterLength& characterLength = {});
// PasswordBits rounded to whole bits, and the word for them.
int StrengthBits(const PasswordRequest& request, const CharacterLength& characterLength = {});
const char* StrengthWord(int bits);
// The strength as the window's status bar and the command line show it: "Each password: 38 bits
// (weak)"; `each` names what is measured.
std::string StrengthText(int bits, const char* each = "password");

// The character sets of a request, as bits.
constexpr unsigned kLowerSet = 1, kUpperSet = 2, kDigitSet = 4, kSpecialSet = 8, kCustomSet = 16;

// The drawable codes 33..256 a request accepts, in ascending order; beside them the custom
// characters of more than one byte, each once, in the order typed.
struct CodeTable {
  unsigned char Acceptable[224] = {};  // each as the character it becomes (low 8 bits)
  uint32_t Count = 0;
  std::vector<std::string> MultiByte;
  unsigned Chosen = 0;             // the enabled sets
  unsigned char SetsOf[256] = {};  // by accepted character: the enabled sets that hold it
  uint32_t SetSizes[5] = {};       // accepted characters of each set, in CharacterSet order
  bool LeftSomethingOut = false;   // LeaveOut removed a character that would have been drawn
};
CodeTable BuildCodeTable(const PasswordRequest& request,
                         const CharacterLength& characterLength = {});

// Makes the passwords of one request a slice at a time, so that a window can stay responsive
// between slices. The passwords are independent draws: however the count is sliced, each password
// is as likely as in one go. The request is judged once, at the start.
class PasswordMaker {
 public:
  // A refusal is shown through `notice` here, and Outcome() tells it.
  PasswordMaker(const PasswordRequest& request, const Notice& notice,
                const CharacterLength& characterLength = {});
  ~PasswordMaker();  // wipes the passwords made
  PasswordMaker(const PasswordMaker&) = delete;
  PasswordMaker& operator=(const PasswordMaker&) = delete;

  GenerateOutcome Outcome() const { return outcome_; }
  int32_t Made() const { return made_; }
  int32_t Count() const { return count_; }
  bool Finished() const { return outcome_ != GenerateOutcome::Done || made_ >= count_; }
  // Makes up to `count` more passwords. One that cannot be drawn is reported through the notice
  // and ends the work (CannotMeet); a failing source throws.
  void MakeMore(int32_t count, RandomSource& source);
  // Hands over the passwords made, joined by CR LF; what `output` held is wiped.
  void TakeText(std::string& output);

 private:
  PasswordRequest request_;
  Notice notice_;
  CodeTable table_;
  GenerateOutcome outcome_ = GenerateOutcome::Done;
  int32_t count_ = 0, made_ = 0;
  std::string text_, chars_;
  std::vector<int> ids_;      // a password's characters when drawn whole
  size_t passwordBytes_ = 0;  // the most one password and its line break can take
};
