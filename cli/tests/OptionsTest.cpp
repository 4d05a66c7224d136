// The command line's options: what each asks of the generator, and the line for each bad one.
#include <gtest/gtest.h>

#include "cli/core/Options.h"

namespace {
// The request in short: length x count, the sets (LUDSC), then the other options; a passphrase's
// words x count, separator and options.
std::string Describe(const CliOptions& o) {
  const char* actions[] = {"", " strength", " help", " version"};
  const PassphraseRequest& f = o.Phrase;
  if (o.Passphrase)
    return "phrase " + std::to_string(f.Words) + "x" + std::to_string(f.Count) + " [" +
           f.Separator + "]" + (f.Capitalize ? " capitals" : "") + (f.AddDigit ? " digit" : "") +
           (f.LeaveOut.empty() ? "" : " out[" + f.LeaveOut + "]") + actions[int(o.Action)];
  const PasswordRequest& r = o.Password;
  std::string d = std::to_string(r.PasswordLength) + "x" + std::to_string(r.PasswordCount) + " ";
  d += std::string(r.UseLowercase ? "L" : "") + (r.UseUppercase ? "U" : "") +
       (r.UseDigits ? "D" : "") + (r.UseSpecial ? "S" : "") +
       (r.UseCustom ? "C[" + r.CustomCharacters + "]" : "");
  d += std::string(r.ExcludeSimilar ? " no-similar" : "") +
       (r.AtLeastOneOfEach ? " one-of-each" : "") +
       (r.LeaveOut.empty() ? "" : " out[" + r.LeaveOut + "]");
  return d + (r.UseGroups ? " groups" + std::to_string(r.GroupSize) : "") + actions[int(o.Action)];
}

ParsedArguments Parse(std::vector<std::string> args, bool slashHelp = false) {
  // Stands in for a code page without the euro sign.
  const ToGeneratorText latin = [](const std::string& in, std::string& out, std::string& bad) {
    out = in;
    bad = "\xE2\x82\xAC";
    return in.find(bad) == std::string::npos;
  };
  return ParseArguments(args, latin, slashHelp);
}

TEST(CliOptions, EachOptionAsksTheGeneratorWhatItSays) {
  const struct {
    std::vector<std::string> args;
    const char* request;
  } cases[] = {
      {{}, "16x1 LUDS"},
      {{"--length", "20"}, "20x1 LUDS"},
      {{"--length=100"}, "100x1 LUDS"},
      {{"-l", "1"}, "1x1 LUDS"},
      {{"-l8", "-n10000000"}, "8x10000000 LUDS"},
      {{"--count=3", "--count", "5"}, "16x5 LUDS"},
      {{"--digits"}, "16x1 D"},
      {{"--lower", "--upper"}, "16x1 LU"},
      {{"--symbols", "--custom", "ab"}, "16x1 SC[ab]"},
      {{"--custom=xyz"}, "16x1 C[xyz]"},
      {{"--no-similar", "--one-of-each"}, "16x1 LUDS no-similar one-of-each"},
      {{"--leave-out", "{}", "--groups", "4"}, "16x1 LUDS out[{}] groups4"},
      {{"--groups=0"}, "16x1 LUDS"},
      {{"--strength", "-l", "8"}, "8x1 LUDS strength"},
      {{"-h"}, "16x1 LUDS help"},
      {{"--version"}, "16x1 LUDS version"},
      {{"--passphrase"}, "phrase 6x1 [-]"},
      {{"--passphrase", "--words=3", "--separator", "", "--capitalize", "--digit", "-n2"},
       "phrase 3x2 [] capitals digit"},
      {{"--leave-out=q", "--words", "20", "--separator= + ", "--passphrase", "--strength"},
       "phrase 20x1 [ + ] out[q] strength"},
  };
  for (const auto& c : cases) {
    const ParsedArguments p = Parse(c.args);
    EXPECT_EQ(p.Error, "") << c.request;
    EXPECT_EQ(Describe(p.Options), c.request);
  }
  EXPECT_EQ(Describe(Parse({"/?"}, true).Options), "16x1 LUDS help");
}

TEST(CliOptions, ABadOptionGetsOneLineNamingItAndWhatItAccepts) {
  const struct {
    std::vector<std::string> args;
    const char* error;
  } cases[] = {
      {{"--length", "0"}, "--length: 0 is not a number from 1 to 100"},
      {{"-l101"}, "-l: 101 is not a number from 1 to 100"},
      {{"--length=16x"}, "--length: \"16x\" is not a number from 1 to 100"},
      {{"-l"}, "-l needs a number from 1 to 100"},
      {{"--count", "10000001"}, "--count: 10000001 is not a number from 1 to 10000000"},
      {{"-n", "99999999999"}, "-n: \"99999999999\" is not a number from 1 to 10000000"},
      {{"--groups", "101"}, "--groups: 101 is not a number from 0 to 100"},
      {{"--custom"}, "--custom needs a text"},
      {{"--lower=yes"}, "--lower takes no value"},
      {{"--leave-out", "\xE2\x82\xAC"},
       "--leave-out: \"\xE2\x82\xAC\" is not a character of this system's code page"},
      {{"--passphrase", "--words", "2"}, "--words: 2 is not a number from 3 to 20"},
      {{"--passphrase", "--words=21"}, "--words: 21 is not a number from 3 to 20"},
      {{"--passphrase", "--separator", "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9......"},
       "--separator: at most 10 characters"},
      {{"--passphrase", "--separator=\xE2\x82\xAC"},
       "--separator: \"\xE2\x82\xAC\" is not a character of this system's code page"},
      {{"--digits", "--passphrase"}, "--digits cannot be used with --passphrase"},
      {{"--passphrase", "-l", "8"}, "-l cannot be used with --passphrase"},
      {{"--capitalize"}, "--capitalize works only with --passphrase"},
      {{"--colour"}, "unknown option \"--colour\" (see --help)"},
      {{"-x"}, "unknown option \"-x\" (see --help)"},
      {{"16"}, "unexpected argument \"16\" (see --help)"},
      {{"--length=1\n6"}, "--length: \"1?6\" is not a number from 1 to 100"},
      {{"/?"}, "unexpected argument \"/?\" (see --help)"},
  };
  for (const auto& c : cases) EXPECT_EQ(Parse(c.args).Error, c.error);
}

TEST(CliOptions, Utf8CharactersAreWholeOrNone) {
  // Whole characters of one to four bytes; then one cut short, a continuation alone, a bad trail.
  const std::string texts[] = {"a",        "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x94\x91",
                               "\xE2\x82", "\xA9",     "\xC3\x41"};
  const size_t lengths[] = {1, 2, 3, 4, 0, 0, 0};
  for (size_t i = 0; i < 7; ++i)
    EXPECT_EQ(Utf8CharacterLength(texts[i].data(), texts[i].size()), lengths[i]) << i;
}
}  // namespace
