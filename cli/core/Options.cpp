// Option parsing, GNU style: "--length 16", "--length=16", "-l 16", "-l16"; the last of a repeated
// option counts. Each option is one row of the table below.
#include "cli/core/Options.h"

#include <cstdint>

namespace {
enum class Kind { Flag, Number, Text };
enum class Side { Both, Password, Passphrase };

struct OptionRow {
  const char* name;
  char shortName;  // 0: none
  Kind kind;
  Side side;
  int32_t min, max;  // numbers: the accepted range; texts: at most `max` characters (0: any)
  void (*apply)(CliOptions& o, int32_t number, const std::string& text);
};

const OptionRow kOptions[] = {
    {"length", 'l', Kind::Number, Side::Password, 1, 100,
     [](CliOptions& o, int32_t n, const std::string&) { o.Password.PasswordLength = n; }},
    {"count", 'n', Kind::Number, Side::Both, 1, 10000000,
     [](CliOptions& o, int32_t n, const std::string&) {
       o.Password.PasswordCount = n;
       o.Phrase.Count = n;
     }},
    {"lower", 0, Kind::Flag, Side::Password, 0, 0,
     [](CliOptions& o, int32_t, const std::string&) { o.Password.UseLowercase = true; }},
    {"upper", 0, Kind::Flag, Side::Password, 0, 0,
     [](CliOptions& o, int32_t, const std::string&) { o.Password.UseUppercase = true; }},
    {"digits", 0, Kind::Flag, Side::Password, 0, 0,
     [](CliOptions& o, int32_t, const std::string&) { o.Password.UseDigits = true; }},
    {"symbols", 0, Kind::Flag, Side::Password, 0, 0,
     [](CliOptions& o, int32_t, const std::string&) { o.Password.UseSpecial = true; }},
    {"custom", 0, Kind::Text, Side::Password, 0, 0,
     [](CliOptions& o, int32_t, const std::string& t) {
       o.Password.UseCustom = true;
       o.Password.CustomCharacters = t;
     }},
    {"no-similar", 0, Kind::Flag, Side::Password, 0, 0,
     [](CliOptions& o, int32_t, const std::string&) { o.Password.ExcludeSimilar = true; }},
    {"one-of-each", 0, Kind::Flag, Side::Password, 0, 0,
     [](CliOptions& o, int32_t, const std::string&) { o.Password.AtLeastOneOfEach = true; }},
    {"leave-out", 0, Kind::Text, Side::Both, 0, 0,
     [](CliOptions& o, int32_t, const std::string& t) {
       o.Password.LeaveOut = t;
       o.Phrase.LeaveOut = t;
     }},
    {"groups", 0, Kind::Number, Side::Password, 0, 100,
     [](CliOptions& o, int32_t n, const std::string&) {
       o.Password.UseGroups = n > 0;
       o.Password.GroupSize = n;
     }},
    {"passphrase", 0, Kind::Flag, Side::Both, 0, 0,
     [](CliOptions& o, int32_t, const std::string&) { o.Passphrase = true; }},
    {"words", 0, Kind::Number, Side::Passphrase, kMinPassphraseWords, kMaxPassphraseWords,
     [](CliOptions& o, int32_t n, const std::string&) { o.Phrase.Words = n; }},
    {"separator", 0, Kind::Text, Side::Passphrase, 0, int32_t(kMaxSeparatorLength),
     [](CliOptions& o, int32_t, const std::string& t) { o.Phrase.Separator = t; }},
    {"capitalize", 0, Kind::Flag, Side::Passphrase, 0, 0,
     [](CliOptions& o, int32_t, const std::string&) { o.Phrase.Capitalize = true; }},
    {"digit", 0, Kind::Flag, Side::Passphrase, 0, 0,
     [](CliOptions& o, int32_t, const std::string&) { o.Phrase.AddDigit = true; }},
    {"strength", 0, Kind::Flag, Side::Both, 0, 0,
     [](CliOptions& o, int32_t, const std::string&) { o.Action = CliAction::Strength; }},
    {"help", 'h', Kind::Flag, Side::Both, 0, 0,
     [](CliOptions& o, int32_t, const std::string&) { o.Action = CliAction::Help; }},
    {"version", 0, Kind::Flag, Side::Both, 0, 0,
     [](CliOptions& o, int32_t, const std::string&) { o.Action = CliAction::Version; }},
};

bool ChoosesSet(const std::string& name) {
  return name == "lower" || name == "upper" || name == "digits" || name == "symbols" ||
         name == "custom";
}

// Characters, not bytes: a UTF-8 continuation byte starts none.
size_t CharacterCount(const std::string& utf8) {
  size_t n = 0;
  for (char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

std::string Range(const OptionRow& row) {
  return "a number from " + std::to_string(row.min) + " to " + std::to_string(row.max);
}

// An argument as a message shows it: in quotes, control characters as "?", so that the message
// stays one line.
std::string Quoted(std::string text) {
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 32 || c == 127) c = '?';
  return '"' + text + '"';
}

// Digits only, and no more of them than any range here needs.
bool ParseNumber(const std::string& text, int32_t& number) {
  if (text.empty() || text.size() > 9) return false;
  number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    number = number * 10 + (c - '0');
  }
  return true;
}

struct Parser {
  const ToGeneratorText& toGenerator;
  ParsedArguments result;
  std::string passwordOnly, passphraseOnly;  // the first option named of each side
  bool setsNamed = false;

  bool Fail(const std::string& error) {
    if (result.Error.empty()) result.Error = error;
    return false;
  }

  bool Apply(const OptionRow& row, const std::string& shown, const std::string* value) {
    if (row.side == Side::Password && passwordOnly.empty()) passwordOnly = shown;
    if (row.side == Side::Passphrase && passphraseOnly.empty()) passphraseOnly = shown;
    if (ChoosesSet(row.name) && !setsNamed) {
      // Naming a set chooses exactly the sets named, instead of all four.
      PasswordRequest& r = result.Options.Password;
      r.UseLowercase = r.UseUppercase = r.UseDigits = r.UseSpecial = r.UseCustom = false;
      setsNamed = true;
    }
    int32_t number = 0;
    std::string text;
    if (row.kind == Kind::Number && !ParseNumber(*value, number))
      return Fail(shown + ": " + Quoted(*value) + " is not " + Range(row));
    if (row.kind == Kind::Number && (number < row.min || number > row.max))
      return Fail(shown + ": " + *value + " is not " + Range(row));
    if (row.kind == Kind::Text) {
      if (row.max > 0 && CharacterCount(*value) > static_cast<size_t>(row.max))
        return Fail(shown + ": at most " + std::to_string(row.max) + " characters");
      std::string unspellable;
      if (!toGenerator)
        text = *value;
      else if (!toGenerator(*value, text, unspellable))
        return Fail(shown + ": \"" + unspellable +
                    "\" is not a character of this system's code page");
    }
    row.apply(result.Options, number, text);
    return true;
  }

  // A long option, its value after "=" or in the next argument.
  bool Long(const std::vector<std::string>& args, size_t& i) {
    const std::string& arg = args[i];
    const size_t equals = arg.find('=');
    const std::string name = arg.substr(2, equals == std::string::npos ? equals : equals - 2);
    for (const OptionRow& row : kOptions) {
      if (name != row.name) continue;
      const std::string shown = "--" + name;
      if (row.kind == Kind::Flag)
        return equals == std::string::npos ? Apply(row, shown, nullptr)
                                           : Fail(shown + " takes no value");
      if (equals != std::string::npos) {
        const std::string value = arg.substr(equals + 1);
        return Apply(row, shown, &value);
      }
      if (i + 1 >= args.size()) return Fail(shown + " needs " + Needs(row));
      return Apply(row, shown, &args[++i]);
    }
    return Fail("unknown option " + Quoted("--" + name) + " (see --help)");
  }

  // Short options, several flags in one argument; a value follows in the same one or the next.
  bool Short(const std::vector<std::string>& args, size_t& i) {
    const std::string& arg = args[i];
    for (size_t at = 1; at < arg.size(); ++at) {
      const OptionRow* found = nullptr;
      for (const OptionRow& row : kOptions)
        if (row.shortName == arg[at]) found = &row;
      if (!found)
        return Fail("unknown option " + Quoted("-" + arg.substr(at, 1)) + " (see --help)");
      const std::string shown = std::string("-") + arg[at];
      if (found->kind == Kind::Flag) {
        if (!Apply(*found, shown, nullptr)) return false;
        continue;
      }
      if (at + 1 < arg.size()) {
        const std::string value = arg.substr(at + 1);
        return Apply(*found, shown, &value);
      }
      if (i + 1 >= args.size()) return Fail(shown + " needs " + Needs(*found));
      return Apply(*found, shown, &args[++i]);
    }
    return true;
  }

  static std::string Needs(const OptionRow& row) {
    return row.kind == Kind::Number ? Range(row) : "a text";
  }
};
}  // namespace

PasswordRequest CliOptions::DefaultPasswordRequest() {
  PasswordRequest r;
  r.PasswordLength = 16;
  r.PasswordCount = 1;
  r.UseLowercase = r.UseUppercase = r.UseDigits = r.UseSpecial = true;
  return r;
}

size_t Utf8CharacterLength(const char* text, size_t left) {
  const unsigned char lead = static_cast<unsigned char>(text[0]);
  const size_t n = lead < 0x80   ? 1
                   : lead < 0xC2 ? 0
                   : lead < 0xE0 ? 2
                   : lead < 0xF0 ? 3
                   : lead < 0xF5 ? 4
                                 : 0;
  if (n == 0 || n > left) return 0;
  for (size_t i = 1; i < n; ++i)
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0;
  return n;
}

ParsedArguments ParseArguments(const std::vector<std::string>& args,
                               const ToGeneratorText& toGenerator, bool slashHelp) {
  Parser p{toGenerator, {}, {}, {}, false};
  for (size_t i = 0; i < args.size() && p.result.Error.empty(); ++i) {
    const std::string& arg = args[i];
    if (slashHelp && arg == "/?")
      p.result.Options.Action = CliAction::Help;
    else if (arg.compare(0, 2, "--") == 0 && arg.size() > 2)
      p.Long(args, i);
    else if (arg.size() > 1 && arg[0] == '-' && arg != "--")
      p.Short(args, i);
    else
      p.Fail("unexpected argument " + Quoted(arg) + " (see --help)");
  }
  const bool phrase = p.result.Options.Passphrase;
  if (phrase && !p.passwordOnly.empty())
    p.Fail(p.passwordOnly + " cannot be used with --passphrase");
  if (!phrase && !p.passphraseOnly.empty())
    p.Fail(p.passphraseOnly + " works only with --passphrase");
  return p.result;
}
