// The command line's options: what each asks of the generator, and the one line that explains a bad
// one. Portable: arguments arrive as UTF-8 on every system.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "generator/Passphrase.h"
#include "generator/PasswordGenerator.h"

enum class CliAction { Generate, Strength, Help, Version };

struct CliOptions {
  CliAction Action = CliAction::Generate;
  // With no options: one password of 16 characters of all four classes.
  PasswordRequest Password = DefaultPasswordRequest();
  bool Passphrase = false;  // then Phrase instead of Password
  PassphraseRequest Phrase;
  static PasswordRequest DefaultPasswordRequest();
};

// Turns an argument's UTF-8 into the text the generator works in. False when a character cannot
// be spelled there; `unspellable` then holds that character (UTF-8). Empty: the generator's text is
// UTF-8 itself.
using ToGeneratorText =
    std::function<bool(const std::string& utf8, std::string& text, std::string& unspellable)>;

// The length of the UTF-8 character at `text` as the generator's CharacterLength gives it: 0 for
// bytes that start no whole character.
size_t Utf8CharacterLength(const char* text, size_t left);

struct ParsedArguments {
  CliOptions Options;
  std::string Error;  // one line naming the option and what it accepts; empty when all is well
};

// The arguments after the program's name. `slashHelp`: "/?" asks for help, as on Windows.
ParsedArguments ParseArguments(const std::vector<std::string>& args,
                               const ToGeneratorText& toGenerator, bool slashHelp);
