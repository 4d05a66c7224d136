// Random sources for tests: scripted draws, and the request builders the tests share.
#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "generator/PasswordGenerator.h"

// Returns the queued values in turn, then `Filler` for ever; counts every draw and the ranges
// asked.
class ScriptedSource : public RandomSource {
 public:
  explicit ScriptedSource(std::vector<uint32_t> values = {}, uint32_t filler = 0,
                          bool direct = false)
      : queue_(values.begin(), values.end()), filler_(filler), direct_(direct) {}

  uint32_t Below(uint32_t n) override {
    ++Draws;
    Ranges.push_back(n);
    if (queue_.empty()) return filler_;
    const uint32_t v = queue_.front();
    queue_.pop_front();
    return v;
  }
  bool DrawsFromAcceptable() const override { return direct_; }

  uint64_t Draws = 0;
  std::vector<uint32_t> Ranges;

 private:
  std::deque<uint32_t> queue_;
  uint32_t filler_;
  bool direct_;
};

// The draw value that produces `code` (33..256) in the generator's range of 224 codes.
inline uint32_t DrawFor(int code) { return static_cast<uint32_t>(code - 33); }

inline PasswordRequest Request(int length, int count) {
  PasswordRequest r;
  r.PasswordLength = length;
  r.PasswordCount = count;
  return r;
}

// Records every message shown.
struct NoticeRecorder {
  std::vector<std::string> Shown;
  Notice Handler() {
    return [this](const std::string& text) { Shown.push_back(text); };
  }
};

// Generates with a fresh recorder that must stay silent.
inline std::string Generate(const PasswordRequest& r, RandomSource& source) {
  std::vector<std::string> shown;
  std::string out;
  GeneratePasswords(
      r, out, [&](const std::string& t) { shown.push_back(t); }, source);
  if (!shown.empty()) throw std::runtime_error("unexpected message: " + shown.front());
  return out;
}
