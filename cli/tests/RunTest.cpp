// What the command line writes for a few requests, drawn from a scripted source.
#include <gtest/gtest.h>

#include <numeric>

#include "cli/core/Run.h"
#include "generator/tests/TestSources.h"

namespace {
struct RecordingConsole : CliConsole {
  std::vector<std::string> Written, Errors;
  size_t FailAfter = SIZE_MAX;  // writes that succeed
  bool Out(const std::string& text) override {
    return Written.size() < FailAfter && (Written.push_back(text), true);
  }
  void Error(const std::string& line) override { Errors.push_back(line); }
  const char* LineEnd() const override { return "\n"; }
  std::string All() const { return std::accumulate(Written.begin(), Written.end(), std::string()); }
};

int RunWith(const std::vector<std::string>& args, RecordingConsole& console, RandomSource& source) {
  const ParsedArguments parsed = ParseArguments(args, {}, false);
  EXPECT_EQ(parsed.Error, "");
  return RunCli(parsed.Options, console, source, Utf8CharacterLength);
}

TEST(CliRun, PasswordsGoOneALineEndedAsTheConsoleEndsLines) {
  ScriptedSource source({DrawFor('a'), DrawFor('B'), DrawFor('3'), DrawFor('d')}, DrawFor('z'));
  RecordingConsole console;
  EXPECT_EQ(RunWith({"-l2", "-n3", "--groups=1"}, console, source), kExitDone);
  EXPECT_EQ(console.All(), "a-B\n3-d\nz-z\n");
  // A character of several bytes is drawn whole.
  ScriptedSource whole({0, 1, 1, 0}, 1, true);
  RecordingConsole multi;
  EXPECT_EQ(RunWith({"--custom", "\xC3\xA9\xE2\x82\xAC", "-l4"}, multi, whole), kExitDone);
  EXPECT_EQ(multi.All(), "\xC3\xA9\xE2\x82\xAC\xE2\x82\xAC\xC3\xA9\n");
}

TEST(CliRun, ManyPasswordsAreWrittenInPiecesThatTogetherHoldEveryLine) {
  ScriptedSource source({}, DrawFor('x'));
  RecordingConsole console;
  EXPECT_EQ(RunWith({"-n", "100000", "--lower"}, console, source), kExitDone);
  EXPECT_GT(console.Written.size(), 10u);
  const std::string line = std::string(16, 'x') + "\n";
  for (const std::string& piece : console.Written) EXPECT_EQ(piece.size() % line.size(), 0u);
  EXPECT_EQ(console.All().size(), 100000 * line.size());
}

TEST(CliRun, ARefusalGivesTheGeneratorsMessageAndNothingOnOutputAsksForTheStrengthToo) {
  for (const char* asked : {"--count=3", "--strength"}) {
    ScriptedSource source;
    RecordingConsole console;
    EXPECT_EQ(RunWith({"--custom", "il1", "--no-similar", asked}, console, source), kExitRefused);
    EXPECT_EQ(console.Errors,
              std::vector<std::string>{
                  "tallowmere-cli: All custom characters are excluded as similar characters"});
    EXPECT_EQ(console.All(), "");
  }
}

TEST(CliRun, AFailedWriteStopsThere) {
  ScriptedSource source;
  RecordingConsole console;
  console.FailAfter = 1;
  EXPECT_EQ(RunWith({"-n", "100000"}, console, source), kExitWriteFailed);
  EXPECT_EQ(console.Written.size(), 1u);
  EXPECT_LT(source.Draws, 100000u * 16);
}

TEST(CliRun, PassphrasesAreWordsOfTheProgramsListOneALine) {
  ScriptedSource source({0, 1, 2, 7775, 3, 4}, 0, true);
  RecordingConsole console;
  EXPECT_EQ(RunWith({"--passphrase", "--words", "3", "-n", "2", "--separator=."}, console, source),
            kExitDone);
  const auto word = [](size_t i) { return std::string(Word(i)); };
  EXPECT_EQ(console.All(), word(0) + "." + word(1) + "." + word(2) + "\n" + word(7775) + "." +
                               word(3) + "." + word(4) + "\n");
}

TEST(CliRun, StrengthIsTheWindowsLineAndNothingElse) {
  ScriptedSource source;
  RecordingConsole console;
  EXPECT_EQ(RunWith({"--strength", "-n", "5"}, console, source), kExitDone);
  EXPECT_EQ(console.All(), "Each password: 105 bits (very strong)\n");
  EXPECT_EQ(source.Draws, 0u);
  RecordingConsole phrase;
  EXPECT_EQ(RunWith({"--strength", "--passphrase", "--words=5"}, phrase, source), kExitDone);
  EXPECT_EQ(phrase.All(), "Each passphrase: 65 bits (strong)\n");
}
}  // namespace
