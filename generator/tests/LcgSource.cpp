// The deterministic generator of the tests; see LcgSource.h.
#include "generator/tests/LcgSource.h"

uint32_t RandomState = 0;

namespace {
constexpr uint32_t Multiplier = 134775813;
constexpr uint32_t Increment = 1;
}  // namespace

uint32_t RandomBelow(uint32_t n) {
  RandomState = RandomState * Multiplier + Increment;
  return static_cast<uint32_t>((static_cast<uint64_t>(RandomState) * n) >> 32);
}

void LcgSource::Pick(const unsigned char* choices, uint32_t n, char* out, size_t count) {
  bool chosen[256] = {};
  for (uint32_t i = 0; i < n; ++i) chosen[choices[i]] = true;
  for (size_t i = 0; i < count; ++i) {
    int code = 0;
    do code = (33 + static_cast<int>(RandomBelow(224))) & 0xFF;
    while (!chosen[code]);
    out[i] = static_cast<char>(code);
  }
}

// n steps of x -> a*x + c compose to x -> A*x + C; square-and-multiply builds A and C in O(log n).
void AdvanceRandomState(uint64_t steps) {
  uint32_t totalMul = 1, totalAdd = 0;
  uint32_t stepMul = Multiplier, stepAdd = Increment;
  for (; steps > 0; steps >>= 1) {
    if (steps & 1) {
      totalMul *= stepMul;
      totalAdd = totalAdd * stepMul + stepAdd;
    }
    stepAdd = (stepMul + 1) * stepAdd;
    stepMul *= stepMul;
  }
  RandomState = RandomState * totalMul + totalAdd;
}
