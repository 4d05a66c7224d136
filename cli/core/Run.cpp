// The command line's run: passwords or passphrases a piece at a time, the strength line, help and
// version.
#include "cli/core/Run.h"

#include <algorithm>

#include "generator/WipeBytes.h"

namespace {
// About this much text is made, written and wiped at a time.
constexpr size_t kPieceBytes = 64 * 1024;

struct Wiped {
  std::string text;
  ~Wiped() { WipeToCapacity(text); }
};

// Appends without leaving an unwiped copy behind when the buffer must grow.
void AppendWiped(std::string& text, const std::string& more) {
  ReserveWiped(text, text.size() + more.size());
  text += more;
}

// The generator joins lines with CR LF: put the console's line end there instead, in place.
void SetLineEnds(std::string& text, const char* lineEnd) {
  if (std::string(lineEnd) == "\r\n") return;
  size_t to = 0;
  for (size_t from = 0; from < text.size(); ++from)
    if (!(text[from] == '\r' && from + 1 < text.size() && text[from + 1] == '\n'))
      text[to++] = text[from];
  text.resize(to);
}

// The most bytes one line can take (a character up to four bytes), with its line end.
size_t LineBytes(const CliOptions& o) {
  if (o.Passphrase) {
    const size_t word = 10 * 4;  // the list's longest words, capitals and a digit fit
    return (word + o.Phrase.Separator.size()) * static_cast<size_t>(o.Phrase.Words) + 2;
  }
  const PasswordRequest& r = o.Password;
  const size_t group = r.UseGroups && r.GroupSize > 0 ? static_cast<size_t>(r.GroupSize) : 0;
  const size_t length = static_cast<size_t>(std::max(r.PasswordLength, 1));
  return (length + (group ? length / group : 0)) * 4 + 2;
}

// Makes `count` lines into `text`, as the generator does.
GenerateOutcome MakeLines(const CliOptions& o, int32_t count, std::string& text,
                          const Notice& notice, RandomSource& source,
                          const CharacterLength& characterLength) {
  if (o.Passphrase) {
    PassphraseRequest r = o.Phrase;
    r.Count = count;
    return GeneratePassphrases(r, text, notice, source, ProgramWords(), characterLength);
  }
  PasswordRequest r = o.Password;
  r.PasswordCount = count;
  return GeneratePasswords(r, text, notice, source, characterLength);
}

int Generate(const CliOptions& o, CliConsole& console, RandomSource& source,
             const CharacterLength& characterLength) {
  std::string refusal;
  const Notice notice = [&refusal](const std::string& message) { refusal = message; };
  const int32_t perPiece = static_cast<int32_t>(std::max<size_t>(1, kPieceBytes / LineBytes(o)));
  Wiped text;
  int32_t count = 0;
  for (int32_t left = o.Passphrase ? o.Phrase.Count : o.Password.PasswordCount; left > 0;
       left -= count) {
    count = std::min(left, perPiece);
    // The generator wipes what `text` held before as it hands back the new lines.
    if (MakeLines(o, count, text.text, notice, source, characterLength) != GenerateOutcome::Done) {
      console.Error("tallowmere-cli: " + refusal);
      return kExitRefused;
    }
    SetLineEnds(text.text, console.LineEnd());
    AppendWiped(text.text, console.LineEnd());
    if (!console.Out(text.text)) {
      console.Error("tallowmere-cli: the output could not be written");
      return kExitWriteFailed;
    }
  }
  return kExitDone;
}
}  // namespace

int RunCli(const CliOptions& options, CliConsole& console, RandomSource& source,
           const CharacterLength& characterLength) {
  const char* end = console.LineEnd();
  std::string text;
  switch (options.Action) {
    case CliAction::Help: text = HelpText(end); break;
    case CliAction::Version:
      text = std::string("tallowmere-cli ") + TALLOWMERE_VERSION + end;
      break;
    case CliAction::Strength: {
      // Options that Generate would refuse have no strength: the same refusal, and its code.
      std::string refusal, none;
      const Notice notice = [&refusal](const std::string& message) { refusal = message; };
      if (MakeLines(options, 0, none, notice, source, characterLength) != GenerateOutcome::Done) {
        console.Error("tallowmere-cli: " + refusal);
        return kExitRefused;
      }
      text = options.Passphrase ? StrengthText(PassphraseStrengthBits(
                                                   options.Phrase, ProgramWords(), characterLength),
                                               "passphrase")
                                : StrengthText(StrengthBits(options.Password, characterLength));
      text += end;
      break;
    }
    case CliAction::Generate: try { return Generate(options, console, source, characterLength);
      } catch (const RandomSourceError& e) {
        console.Error(std::string("tallowmere-cli: ") + e.what());
        return kExitRefused;
      }
  }
  return console.Out(text) ? kExitDone : kExitWriteFailed;
}
