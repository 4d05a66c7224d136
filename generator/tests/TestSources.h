// Random sources for tests: scripted draws, and the request builders the tests share.
#pragma once
#include <algorithm>
#include <cstdint>
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "generator/PasswordGenerator.h"

// A scripted source ran out of codes the generator could accept.
struct NoAcceptableCode : std::runtime_error {
  NoAcceptableCode() : std::runtime_error("no acceptable code scripted") {}
};

// Returns the queued values in turn, then `Filler` for ever; counts every draw and the ranges
// asked. Unless `direct`, a password's characters are scripted as codes (see DrawFor), and codes
// the request does not accept are passed over, as a draw over all codes would.
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
  void Pick(const unsigned char* choices, uint32_t n, char* out, size_t count) override {
    for (size_t i = 0; i < count; ++i)
      out[i] = static_cast<char>(choices[direct_ ? Below(n) : NextAccepted(choices, n)]);
  }

  uint64_t Draws = 0;
  std::vector<uint32_t> Ranges;

 private:
  // The index among the choices of the next scripted code they hold.
  uint32_t NextAccepted(const unsigned char* choices, uint32_t n) {
    for (;;) {
      const bool scripted = !queue_.empty();
      const uint32_t code = 33 + Below(224);
      const unsigned char* at = std::find(choices, choices + n, code & 0xFF);
      if (code <= 256 && at != choices + n) return static_cast<uint32_t>(at - choices);
      if (!scripted) throw NoAcceptableCode();  // nor will the filler ever be
    }
  }

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
