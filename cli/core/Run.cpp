// The command line's run: passwords a piece at a time, the strength line, help and version.
#include "cli/core/Run.h"

#include <algorithm>

#include "generator/WipeBytes.h"

namespace {
// About this much text is made, written and wiped at a time.
constexpr size_t kPieceBytes = 64 * 1024;

// Overwrites the whole buffer, also what lies past its end from a longer text before.
void WipeAll(std::string& text) {
  text.resize(text.capacity());
  WipeBytes(&text[0], text.size());
  text.clear();
}

struct Wiped {
  std::string text;
  ~Wiped() { WipeAll(text); }
};

// Appends without leaving an unwiped copy behind when the buffer must grow.
void AppendWiped(std::string& text, const std::string& more) {
  if (text.size() + more.size() > text.capacity()) {
    std::string bigger;
    bigger.reserve(text.size() + more.size());
    bigger = text;
    WipeAll(text);
    text.swap(bigger);
  }
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

int32_t PasswordsPerPiece(const PasswordRequest& r) {
  const size_t group = r.UseGroups && r.GroupSize > 0 ? static_cast<size_t>(r.GroupSize) : 0;
  const size_t length = static_cast<size_t>(std::max(r.PasswordLength, 1));
  // Custom characters may take several bytes each.
  const size_t perPassword = (length + (group ? length / group : 0)) * 4 + 2;
  return static_cast<int32_t>(std::max<size_t>(1, kPieceBytes / perPassword));
}

int Generate(const PasswordRequest& request, CliConsole& console, RandomSource& source,
             const CharacterLength& characterLength) {
  std::string refusal;
  const Notice notice = [&refusal](const std::string& message) { refusal = message; };
  const int32_t perPiece = PasswordsPerPiece(request);
  PasswordRequest piece = request;
  Wiped text;
  for (int32_t left = request.PasswordCount; left > 0; left -= piece.PasswordCount) {
    piece.PasswordCount = std::min(left, perPiece);
    // The generator wipes what `text` held before as it hands back the new passwords.
    if (GeneratePasswords(piece, text.text, notice, source, characterLength) !=
        GenerateOutcome::Done) {
      console.Error("tallowmere-cli: " + refusal);
      return kExitRefused;
    }
    SetLineEnds(text.text, console.LineEnd());
    AppendWiped(text.text, console.LineEnd());
    if (!console.Out(text.text)) {
      console.Error("tallowmere-cli: the passwords could not be written");
      return kExitWriteFailed;
    }
  }
  return kExitDone;
}
}  // namespace

int RunCli(const CliOptions& options, CliConsole& console, RandomSource& source,
           const CharacterLength& characterLength) {
  const char* end = console.LineEnd();
  switch (options.Action) {
    case CliAction::Help: return console.Out(HelpText(end)) ? kExitDone : kExitWriteFailed;
    case CliAction::Version:
      return console.Out(std::string("tallowmere-cli ") + TALLOWMERE_VERSION + end)
                 ? kExitDone
                 : kExitWriteFailed;
    case CliAction::Strength:
      return console.Out(StrengthText(StrengthBits(options.Password, characterLength)) + end)
                 ? kExitDone
                 : kExitWriteFailed;
    case CliAction::Generate: break;
  }
  try {
    return Generate(options.Password, console, source, characterLength);
  } catch (const RandomSourceError& e) {
    console.Error(std::string("tallowmere-cli: ") + e.what());
    return kExitRefused;
  }
}
