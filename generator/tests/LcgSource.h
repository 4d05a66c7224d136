// Test support: the deterministic 32-bit linear congruential generator the program drew from
// before it used the system's generator. Tests, benchmarks and fuzzers keep it for draw sequences
// that are the same on every run.
#pragma once
#include <cstdint>

#include "generator/RandomSource.h"

// The generator's state; changed only by RandomBelow and AdvanceRandomState.
extern uint32_t RandomState;

// Advances RandomState one step and maps the new state to 0..n-1 (0 when n is 0).
uint32_t RandomBelow(uint32_t n);

// Moves RandomState on by `steps` steps at once, exactly as that many RandomBelow calls would.
void AdvanceRandomState(uint64_t steps);

// Draws through RandomBelow, keeping its exact sequence: one state step per draw. A character is
// drawn as the program once drew it: over all 224 codes from 33, until one is among the choices.
class LcgSource : public RandomSource {
 public:
  uint32_t Below(uint32_t n) override { return RandomBelow(n); }
  void Pick(const unsigned char* choices, uint32_t n, char* out, size_t count) override;
  // Accounts for `count` draws whose results are not needed.
  void Skip(uint64_t count) { AdvanceRandomState(count); }
};
