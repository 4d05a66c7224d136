// In-process speed of GeneratePasswords with both random sources.
#include <benchmark/benchmark.h>

#include "generator/tests/LcgSource.h"
#include "generator/PasswordGenerator.h"

namespace {
PasswordRequest AllClasses(int length, int count) {
  PasswordRequest r;
  r.PasswordLength = length;
  r.PasswordCount = count;
  r.UseLowercase = r.UseUppercase = r.UseDigits = r.UseSpecial = true;
  return r;
}

// A custom set of look-alikes only, with exclusion on: no code is acceptable.
PasswordRequest Impossible() {
  PasswordRequest r;
  r.PasswordLength = 100;
  r.PasswordCount = 1000;
  r.UseCustom = true;
  r.CustomCharacters = "il1";
  r.ExcludeSimilar = true;
  return r;
}

void Run(benchmark::State& state, const PasswordRequest& r, RandomSource& source) {
  const auto ignore = [](const std::string&) {};
  for (auto _ : state) {
    std::string out;
    GeneratePasswords(r, out, ignore, source);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * int64_t(r.PasswordLength) * r.PasswordCount);
}

void SystemThroughput(benchmark::State& state) {
  SystemSource system;
  Run(state, AllClasses(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))),
      system);
}
BENCHMARK(SystemThroughput)->Args({100, 1000})->Args({16, 100000});

// One of each set: whole passwords drawn again until one qualifies (about 15 draws a password at
// length 4, 1.2 at 16).
void SystemOneOfEach(benchmark::State& state) {
  SystemSource system;
  PasswordRequest r = AllClasses(static_cast<int>(state.range(0)), 10000);
  r.AtLeastOneOfEach = true;
  Run(state, r, system);
}
BENCHMARK(SystemOneOfEach)->Arg(4)->Arg(16);

void DeterministicThroughput(benchmark::State& state) {
  LcgSource lcg;
  Run(state, AllClasses(100, 1000), lcg);
}
BENCHMARK(DeterministicThroughput);

void SystemImpossible(benchmark::State& state) {
  SystemSource system;
  Run(state, Impossible(), system);
}
BENCHMARK(SystemImpossible)->Unit(benchmark::kMicrosecond);

void DeterministicImpossible(benchmark::State& state) {
  LcgSource lcg;
  Run(state, Impossible(), lcg);
}
BENCHMARK(DeterministicImpossible)->Unit(benchmark::kMicrosecond);

// The strength as the status bar measures it at each keystroke, with a custom set of 20,000
// distinct double-byte characters (40,000 bytes) and as many left out.
size_t DoubleByte(const char* text, size_t left) {
  if (static_cast<unsigned char>(text[0]) < 0x81) return 1;
  return left >= 2 ? 2 : 0;
}

void StrengthOfALargeCustomSet(benchmark::State& state) {
  PasswordRequest r = AllClasses(16, 1);
  r.UseCustom = true;
  for (int lead = 0x81; r.CustomCharacters.size() < 40000; ++lead)
    for (int trail = 0x40; trail < 0x100 && r.CustomCharacters.size() < 40000; ++trail) {
      r.CustomCharacters += static_cast<char>(lead);
      r.CustomCharacters += static_cast<char>(trail);
    }
  r.LeaveOut = r.CustomCharacters.substr(0, 20000);
  for (auto _ : state) benchmark::DoNotOptimize(StrengthBits(r, DoubleByte));
}
BENCHMARK(StrengthOfALargeCustomSet)->Unit(benchmark::kMillisecond);
}  // namespace
