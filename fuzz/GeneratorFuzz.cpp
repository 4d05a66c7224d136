// Fuzzes GeneratePasswords with arbitrary requests and checks what every output must satisfy:
// the validation messages, the line and dash structure, that only acceptable bytes appear, and
// with one of each chosen set asked for, that every password holds one.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "generator/tests/LcgSource.h"
#include "generator/PasswordGenerator.h"

namespace {
void Check(bool ok, const char* what) {
  if (!ok) {
    fprintf(stderr, "invariant broken: %s\n", what);
    abort();
  }
}

// A quick deterministic source that draws straight from the acceptable codes (the deterministic
// generator passes over the others).
class XorShiftSource : public RandomSource {
 public:
  explicit XorShiftSource(uint32_t seed) : x_(seed | 1) {}
  uint32_t Below(uint32_t n) override {
    x_ ^= x_ << 13;
    x_ ^= x_ >> 17;
    x_ ^= x_ << 5;
    return static_cast<uint32_t>((uint64_t(x_) * n) >> 32);
  }

 private:
  uint32_t x_;
};

// Small values mostly; the byte 0x80 stands for the extreme.
int32_t Number(uint8_t byte, int limit, int32_t extreme) {
  if (byte == 0x80) return extreme;
  return static_cast<int8_t>(byte) % (limit + 1);
}

// By byte: the chosen sets (bits 1 lower, 2 upper, 4 digits, 8 special, 16 custom) a password may
// draw it for under the request, worked out from the class rules directly; 0 when never drawn.
std::vector<unsigned> SetsByByte(const PasswordRequest& r) {
  std::vector<unsigned> sets(256, 0);
  for (int code = 33; code <= 256; ++code) {
    const int c = code & 0xFF;
    const bool digit = code >= '0' && code <= '9', upper = code >= 'A' && code <= 'Z',
               lower = code >= 'a' && code <= 'z';
    const bool special = code <= 126 && !digit && !upper && !lower;
    const bool custom =
        r.UseCustom && r.CustomCharacters.find(static_cast<char>(c)) != std::string::npos;
    const bool lookAlike = std::strchr("01Iilo", c) != nullptr && c != 0;
    const bool leftOut = r.LeaveOut.find(static_cast<char>(c)) != std::string::npos;
    if ((r.ExcludeSimilar && lookAlike) || leftOut) continue;
    sets[c] |= (r.UseLowercase && lower ? 1 : 0) | (r.UseUppercase && upper ? 2 : 0) |
               (r.UseDigits && digit ? 4 : 0) | (r.UseSpecial && special ? 8 : 0) |
               (custom ? 16 : 0);
  }
  return sets;
}

unsigned ChosenSets(const PasswordRequest& r) {
  return (r.UseLowercase ? 1 : 0) | (r.UseUppercase ? 2 : 0) | (r.UseDigits ? 4 : 0) |
         (r.UseSpecial ? 8 : 0) | (r.UseCustom ? 16 : 0);
}

int Bits(unsigned sets) {
  int n = 0;
  for (; sets; sets &= sets - 1) ++n;
  return n;
}

void CheckPassword(const std::string& password, const PasswordRequest& r,
                   const std::vector<unsigned>& sets, size_t n) {
  const bool grouped = r.UseGroups && r.GroupSize > 0;
  const size_t g = grouped ? static_cast<size_t>(r.GroupSize) : 0;
  const size_t dashes = grouped && n > 0 ? (n - 1) / g : 0;
  Check(password.size() == n + dashes, "password length");
  unsigned met = 0;
  for (size_t j = 0; j < password.size(); ++j) {
    const unsigned char c = static_cast<unsigned char>(password[j]);
    if (grouped && (j + 1) % (g + 1) == 0) {
      Check(c == '-', "a group separator is a dash");
      continue;
    }
    Check(sets[c] != 0, "only acceptable bytes");
    Check(!(r.ExcludeSimilar && c != 0 && std::strchr("01Iilo", c)), "no look-alike");
    Check(r.LeaveOut.find(static_cast<char>(c)) == std::string::npos, "nothing left out");
    met |= sets[c];
  }
  Check(!r.AtLeastOneOfEach || met == ChosenSets(r), "one of each chosen set");
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 9) return 0;
  const uint8_t flags = data[0];
  PasswordRequest r;
  r.UseLowercase = flags & 1;
  r.UseUppercase = flags & 2;
  r.UseDigits = flags & 4;
  r.UseSpecial = flags & 8;
  r.ExcludeSimilar = flags & 16;
  r.UseCustom = flags & 32;
  r.UseGroups = flags & 64;
  r.PasswordLength = Number(data[1], 64, std::numeric_limits<int32_t>::min());
  r.PasswordCount = Number(data[2], 8, std::numeric_limits<int32_t>::min());
  r.GroupSize = Number(
      data[3], 20,
      (data[4] & 1) ? std::numeric_limits<int32_t>::max() : std::numeric_limits<int32_t>::min());
  uint32_t seed;
  std::memcpy(&seed, data + 4, 4);
  // The bytes after the ninth are the custom characters, the last data[8] / 2 of them left out.
  r.AtLeastOneOfEach = data[8] & 1;
  const char* tail = reinterpret_cast<const char*>(data + 9);
  const size_t leaveOut = std::min<size_t>(data[8] >> 1, size - 9);
  r.CustomCharacters.assign(tail, size - 9 - leaveOut);
  r.LeaveOut.assign(tail + size - 9 - leaveOut, leaveOut);

  LcgSource lcg;
  XorShiftSource direct(seed);
  RandomState = seed;
  RandomSource& source = (flags & 128) ? static_cast<RandomSource&>(direct) : lcg;

  std::vector<std::string> shown;
  std::string out = "untouched";
  const GenerateOutcome outcome = GeneratePasswords(
      r, out, [&](const std::string& t) { shown.push_back(t); }, source);

  const bool anyClass =
      r.UseLowercase || r.UseUppercase || r.UseDigits || r.UseSpecial || r.UseCustom;
  bool customBlank = true;
  for (char c : r.CustomCharacters)
    customBlank = customBlank && static_cast<unsigned char>(c) <= 32;
  const std::vector<unsigned> sets = SetsByByte(r);
  unsigned reachable = 0;
  for (unsigned s : sets) reachable |= s;
  const bool refused = !anyClass || (r.UseCustom && customBlank);
  // With one of each set: a set emptied by the removals, or fewer characters than sets, cannot be
  // met; a request that can is still refused when qualifying passwords are too rare.
  const bool unmet =
      r.AtLeastOneOfEach && (reachable != ChosenSets(r) || r.PasswordLength < Bits(ChosenSets(r)));
  // Passwords longer than a group would hold the dash that joins groups.
  const bool dashLeftOut = r.UseGroups && r.GroupSize > 0 && r.PasswordLength > r.GroupSize &&
                           r.LeaveOut.find('-') != std::string::npos;
  if (refused || reachable == 0 || dashLeftOut || unmet || outcome == GenerateOutcome::CannotMeet) {
    Check(shown.size() == 1, "one message");
    Check(outcome == (refused                         ? GenerateOutcome::Refused
                      : reachable == 0 || dashLeftOut ? GenerateOutcome::NothingAcceptable
                                                      : GenerateOutcome::CannotMeet),
          "the right refusal");
    if (refused)
      Check(shown[0] == (!anyClass ? "Please select one or several items in Password characters "
                                     "options"
                                   : "No custom characters selected"),
            "the right message");
    else if (reachable == 0 && r.LeaveOut.empty())
      Check(shown[0] == "All custom characters are excluded as similar characters",
            "the right message");
    Check(r.AtLeastOneOfEach || outcome != GenerateOutcome::CannotMeet, "only one of each fails");
    Check(out == "untouched", "output untouched after a message");
    return 0;
  }
  Check(outcome == GenerateOutcome::Done && shown.empty(), "no message");
  if (r.PasswordCount <= 0) {
    Check(out.empty(), "no passwords");
    return 0;
  }

  // Every position gets a character.
  const size_t n = static_cast<size_t>(std::max(r.PasswordLength, 0));
  int32_t passwords = 0;
  size_t start = 0;
  for (;;) {
    const size_t end = out.find("\r\n", start);
    const std::string password = out.substr(start, end == std::string::npos ? end : end - start);
    Check(password.find_first_of("\r\n") == std::string::npos, "no stray line break");
    CheckPassword(password, r, sets, n);
    ++passwords;
    if (end == std::string::npos) break;
    start = end + 2;
  }
  Check(passwords == r.PasswordCount, "CR LF count is count - 1");
  return 0;
}
