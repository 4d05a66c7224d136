// Password generation: validation, the acceptance table, the character draw, grouping and joining.
#include "generator/PasswordGenerator.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <unordered_set>

#include "generator/WipeBytes.h"

namespace {
constexpr int FirstCode = 33;  // the drawable codes: FirstCode and the CodeRange - 1 after it
constexpr uint32_t CodeRange = 224;
// With one of each chosen set, a request whose passwords qualify less often than one in 2^16 is
// refused before drawing; any other needs more than 2^22 whole passwords with a chance of at most
// (1 - 2^-16)^(2^22) = e^-64. Reaching the cap all the same is reported, never passed over.
constexpr double MinQualifyingShare = 1.0 / 65536;
constexpr uint32_t MaxPasswordDraws = uint32_t(1) << 22;
constexpr int SetCount = 5;
const char* const SetNames[SetCount] = {"lowercase letters", "uppercase letters", "numbers",
                                        "special symbols", "custom characters"};
const char* const TooRare =
    "Passwords that hold one of each chosen set are too rare with these options: choose a longer "
    "password or leave out fewer characters";

bool IsDigit(int code) { return code >= '0' && code <= '9'; }
bool IsUpper(int code) { return code >= 'A' && code <= 'Z'; }
bool IsLower(int code) { return code >= 'a' && code <= 'z'; }
// The printable ASCII symbols; DEL (127) is invisible and untypeable, so it is no symbol.
bool IsSpecial(int code) {
  return code >= 33 && code <= 126 && !IsDigit(code) && !IsUpper(code) && !IsLower(code);
}
bool IsLookAlike(unsigned char c) {
  return c == '0' || c == '1' || c == 'I' || c == 'i' || c == 'l' || c == 'o';
}

bool HasClass(const PasswordRequest& r) {
  return r.UseLowercase || r.UseUppercase || r.UseDigits || r.UseSpecial || r.UseCustom;
}

// Blank means nothing but codes 0..32 (blanks, line breaks, control codes).
bool IsBlank(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) <= 32; });
}

unsigned ChosenSets(const PasswordRequest& r) {
  return (r.UseLowercase ? kLowerSet : 0) | (r.UseUppercase ? kUpperSet : 0) |
         (r.UseDigits ? kDigitSet : 0) | (r.UseSpecial ? kSpecialSet : 0) |
         (r.UseCustom ? kCustomSet : 0);
}

int SetCountOf(unsigned sets) {
  int n = 0;
  for (; sets; sets &= sets - 1) ++n;
  return n;
}
}  // namespace

// The status bar measures a custom set at each keystroke: the work stays linear in the text.
void SplitCharacters(const std::string& text, const CharacterLength& characterLength,
                     bool (&bytes)[256], std::vector<std::string>& multi) {
  std::unordered_set<std::string_view> seen;  // views into `text`
  for (size_t at = 0; at < text.size();) {
    const size_t left = text.size() - at;
    const size_t n = characterLength ? std::min(characterLength(&text[at], left), left) : 1;
    if (n == 0) {
      ++at;
    } else if (n == 1) {
      bytes[static_cast<unsigned char>(text[at++])] = true;
    } else {
      if (seen.insert(std::string_view(text).substr(at, n)).second)
        multi.push_back(text.substr(at, n));
      at += n;
    }
  }
}

namespace {
// The share of all passwords of `length` characters drawn from the table that hold a character of
// each chosen set: the inclusion-exclusion count over the sets divided by (characters)^length.
// Summed as the chance that the first p characters have met exactly a given group of sets, which
// adds only terms of one sign, so a tiny share comes out as exactly as a large one.
double QualifyingShare(const CodeTable& t, int32_t length) {
  const double characters = double(t.Count) + double(t.MultiByte.size());
  double weight[32] = {};  // by the sets a character belongs to: that share of the characters
  for (uint32_t i = 0; i < t.Count; ++i) weight[t.SetsOf[t.Acceptable[i]]] += 1 / characters;
  weight[kCustomSet] += double(t.MultiByte.size()) / characters;
  std::vector<unsigned> kinds;  // the groups of sets some character belongs to
  for (unsigned sets = 0; sets < 32; ++sets)
    if (weight[sets] > 0) kinds.push_back(sets);
  double reach[32] = {1};  // by the sets met so far
  // Once all but 2^-53 of the passwords qualify, the share is 1 as far as a double can tell.
  for (int32_t p = 0; p < length && 1 - reach[t.Chosen] > 0x1p-53; ++p) {
    double next[32] = {};
    for (unsigned met = 0; met < 32; ++met)
      if (reach[met] > 0)
        for (unsigned sets : kinds) next[met | sets] += reach[met] * weight[sets];
    std::copy(next, next + 32, reach);
  }
  return reach[t.Chosen];
}

// Why a request is refused, checked in this order before anything is drawn; no message when it can
// be served. `share` is the qualifying share when one of each set is asked for, else 1.
struct Verdict {
  GenerateOutcome outcome = GenerateOutcome::Done;
  std::string message;
  double share = 1;
};
Verdict Judge(const PasswordRequest& r, const CodeTable& t) {
  if (!HasClass(r))
    return {GenerateOutcome::Refused,
            "Please select one or several items in Password characters options"};
  if (r.UseCustom && IsBlank(r.CustomCharacters))
    return {GenerateOutcome::Refused, "No custom characters selected"};
  // Without left-out characters only a custom set can be emptied: every class keeps others.
  if (t.Count == 0 && t.MultiByte.empty())
    return {GenerateOutcome::NothingAcceptable,
            !t.LeftSomethingOut ? "All custom characters are excluded as similar characters"
            : r.ExcludeSimilar
                ? "No characters are left to draw from once similar and left-out characters "
                  "are removed"
                : "No characters are left to draw from once left-out characters are removed"};
  // Passwords longer than a group hold the dash that joins groups. Bytes below 0x40 are never the
  // trail of a character, so a byte search finds the dash itself.
  if (r.UseGroups && r.GroupSize > 0 && r.PasswordLength > r.GroupSize &&
      r.LeaveOut.find('-') != std::string::npos)
    return {GenerateOutcome::NothingAcceptable,
            "Groups are joined by \"-\", which is a left-out character"};
  if (!r.AtLeastOneOfEach) return {};
  for (int set = 0; set < SetCount; ++set)
    if ((t.Chosen & (1u << set)) && t.SetSizes[set] == 0)
      return {GenerateOutcome::CannotMeet,
              std::string("No ") + SetNames[set] +
                  " are left once similar and left-out characters are removed, so passwords "
                  "cannot hold one of each chosen set"};
  if (r.PasswordLength < SetCountOf(t.Chosen))
    return {GenerateOutcome::CannotMeet,
            "The password length is less than the number of chosen character sets"};
  const double share = QualifyingShare(t, r.PasswordLength);
  if (share < MinQualifyingShare) return {GenerateOutcome::CannotMeet, TooRare, share};
  return {GenerateOutcome::Done, "", share};
}

// One position when some custom characters take several bytes: an index into the byte values
// (below 256) or into table.MultiByte (256 and up), so that no byte of one ever stands alone.
int DrawWhole(const CodeTable& table, RandomSource& source) {
  const uint32_t i = source.Below(table.Count + static_cast<uint32_t>(table.MultiByte.size()));
  return i < table.Count ? table.Acceptable[i] : static_cast<int>(256 + i - table.Count);
}

// One password's characters as DrawWhole gives them.
void DrawIds(std::vector<int>& ids, int32_t length, const CodeTable& table, RandomSource& source) {
  ids.clear();
  for (int32_t p = 0; p < length; ++p) ids.push_back(DrawWhole(table, source));
}

// Draws whole passwords until one holds a character of each chosen set: every qualifying password
// stays exactly as likely as any other. False when the cap runs out.
bool DrawQualifying(std::vector<int>& ids, int32_t length, const CodeTable& table,
                    RandomSource& source) {
  for (uint32_t draw = 0; draw < MaxPasswordDraws; ++draw) {
    DrawIds(ids, length, table, source);
    unsigned met = 0;
    for (int c : ids) met |= c < 256 ? table.SetsOf[c] : kCustomSet;
    if (met == table.Chosen) return true;
  }
  return false;
}

// Appends one password, grouped by characters rather than bytes.
void AppendIds(std::string& text, const std::vector<int>& ids, const CodeTable& table,
               const PasswordRequest& r) {
  const size_t group = r.UseGroups && r.GroupSize > 0 ? static_cast<size_t>(r.GroupSize) : 0;
  for (size_t i = 0; i < ids.size(); ++i) {
    if (group && i > 0 && i % group == 0) text += '-';
    if (ids[i] < 256)
      text += static_cast<char>(ids[i]);
    else
      text += table.MultiByte[static_cast<size_t>(ids[i] - 256)];
  }
}

void AppendGrouped(std::string& text, const std::string& chars, const PasswordRequest& r) {
  if (!r.UseGroups || r.GroupSize <= 0 || chars.size() <= static_cast<size_t>(r.GroupSize)) {
    text += chars;
    return;
  }
  const size_t group = static_cast<size_t>(r.GroupSize);
  for (size_t start = 0; start < chars.size(); start += group) {
    if (start > 0) text += '-';
    text.append(chars, start, group);
  }
}

// The most bytes one password and its line break take: every character may be the longest.
size_t PasswordBytes(const PasswordRequest& r, const CodeTable& table) {
  size_t longest = 1;
  for (const std::string& c : table.MultiByte) longest = std::max(longest, c.size());
  const size_t length = static_cast<size_t>(std::max(r.PasswordLength, 0));
  const size_t group = r.UseGroups && r.GroupSize > 0 ? static_cast<size_t>(r.GroupSize) : 0;
  return length * longest + (group ? length / group : 0) + 2;
}
}  // namespace

CodeTable BuildCodeTable(const PasswordRequest& r, const CharacterLength& characterLength) {
  CodeTable table;
  table.Chosen = ChosenSets(r);
  bool inCustom[256] = {}, leftOut[256] = {};
  std::vector<std::string> customMulti, leftOutMulti;
  if (r.UseCustom) SplitCharacters(r.CustomCharacters, characterLength, inCustom, customMulti);
  SplitCharacters(r.LeaveOut, characterLength, leftOut, leftOutMulti);
  const std::unordered_set<std::string_view> leftOutSeen(leftOutMulti.begin(), leftOutMulti.end());
  for (const std::string& c : customMulti) {
    if (leftOutSeen.count(c)) {
      table.LeftSomethingOut = true;
      continue;
    }
    table.MultiByte.push_back(c);
    ++table.SetSizes[4];
  }

  for (int code = FirstCode; code < FirstCode + static_cast<int>(CodeRange); ++code) {
    const unsigned char c = static_cast<unsigned char>(code & 0xFF);
    const unsigned sets =
        table.Chosen & ((IsLower(code) ? kLowerSet : 0) | (IsUpper(code) ? kUpperSet : 0) |
                        (IsDigit(code) ? kDigitSet : 0) | (IsSpecial(code) ? kSpecialSet : 0) |
                        (inCustom[c] ? kCustomSet : 0));
    if (!sets || (r.ExcludeSimilar && IsLookAlike(c))) continue;
    if (leftOut[c]) {
      table.LeftSomethingOut = true;
      continue;
    }
    table.Acceptable[table.Count++] = c;
    table.SetsOf[c] = static_cast<unsigned char>(sets);
    for (int set = 0; set < SetCount; ++set)
      if (sets & (1u << set)) ++table.SetSizes[set];
  }
  return table;
}

double PasswordBits(const PasswordRequest& request, const CharacterLength& characterLength) {
  const CodeTable table = BuildCodeTable(request, characterLength);
  const Verdict verdict = Judge(request, table);
  if (!verdict.message.empty() || request.PasswordLength <= 0) return 0;
  const double characters = double(table.Count) + double(table.MultiByte.size());
  return std::max(0.0, request.PasswordLength * std::log2(characters) + std::log2(verdict.share));
}

int StrengthBits(const PasswordRequest& request, const CharacterLength& characterLength) {
  return static_cast<int>(std::lround(PasswordBits(request, characterLength)));
}

const char* StrengthWord(int bits) {
  return bits < 40 ? "weak" : bits < 64 ? "fair" : bits < 80 ? "strong" : "very strong";
}

std::string StrengthText(int bits, const char* each) {
  return std::string("Each ") + each + ": " + std::to_string(bits) + " bits (" +
         StrengthWord(bits) + ")";
}

PasswordMaker::PasswordMaker(const PasswordRequest& request, const Notice& notice,
                             const CharacterLength& characterLength)
    : request_(request), notice_(notice), table_(BuildCodeTable(request, characterLength)) {
  const Verdict verdict = Judge(request_, table_);
  if (!verdict.message.empty()) {
    outcome_ = verdict.outcome;
    notice_(verdict.message);
    return;
  }
  count_ = std::max(request_.PasswordCount, 0);
  if (count_ == 0) return;
  const int32_t length = std::max(request_.PasswordLength, 0);
  // Room for the whole text when it is of a sensible size; larger texts grow as they go.
  passwordBytes_ = PasswordBytes(request_, table_);
  const uint64_t total = uint64_t(passwordBytes_) * uint64_t(count_);
  text_.reserve(static_cast<size_t>(std::min<uint64_t>(total, uint64_t(1) << 28)));
  chars_.reserve(static_cast<size_t>(std::min(length, int32_t(1) << 20)));
  ids_.reserve(static_cast<size_t>(std::min(length, int32_t(1) << 20)));
}

// The working buffers are wiped however the work ends (a random source may throw).
PasswordMaker::~PasswordMaker() {
  WipeToCapacity(text_);
  WipeToCapacity(chars_);
  WipeToCapacity(ids_);
}

void PasswordMaker::MakeMore(int32_t count, RandomSource& source) {
  const int32_t length = std::max(request_.PasswordLength, 0);
  const bool grouped = request_.UseGroups && request_.GroupSize > 0;
  for (int32_t n = 0; n < count && !Finished(); ++n) {
    // Grown here, never by an append, so that no copy of the passwords is freed unwiped.
    if (text_.capacity() - text_.size() < passwordBytes_)
      ReserveWiped(text_, std::max(2 * text_.capacity(), text_.size() + passwordBytes_));
    if (request_.AtLeastOneOfEach) {
      if (!DrawQualifying(ids_, length, table_, source)) {
        outcome_ = GenerateOutcome::CannotMeet;
        notice_(TooRare);
        return;
      }
      AppendIds(text_, ids_, table_, request_);
    } else if (!table_.MultiByte.empty()) {
      DrawIds(ids_, length, table_, source);
      AppendIds(text_, ids_, table_, request_);
    } else if (!grouped) {
      // Ungrouped, the characters go straight into place.
      const size_t at = text_.size();
      text_.resize(at + static_cast<size_t>(length));
      source.Pick(table_.Acceptable, table_.Count, &text_[at], static_cast<size_t>(length));
    } else {
      chars_.resize(static_cast<size_t>(length));
      source.Pick(table_.Acceptable, table_.Count, &chars_[0], chars_.size());
      AppendGrouped(text_, chars_, request_);
    }
    if (++made_ != count_) text_ += "\r\n";
  }
}

void PasswordMaker::TakeText(std::string& output) {
  output.swap(text_);
  WipeToCapacity(text_);
  text_.clear();
}

GenerateOutcome GeneratePasswords(const PasswordRequest& request, std::string& output,
                                  const Notice& notice, RandomSource& source,
                                  const CharacterLength& characterLength) {
  PasswordMaker maker(request, notice, characterLength);
  maker.MakeMore(maker.Count(), source);
  if (maker.Outcome() == GenerateOutcome::Done) maker.TakeText(output);
  return maker.Outcome();
}
