// Passphrases: which words and digits a request leaves usable, the draw, and the strength.
#include "generator/Passphrase.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
// What a request draws from, or why it is refused (checked before anything is drawn).
struct Choices {
  GenerateOutcome outcome = GenerateOutcome::Done;
  std::string message;
  std::vector<uint32_t> words;  // the usable words, as places in the list
  char digits[10] = {};
  uint32_t digitCount = 0;
};

char Capital(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

size_t CharacterCount(const std::string& text, const CharacterLength& characterLength) {
  size_t count = 0;
  for (size_t at = 0; at < text.size(); ++count) {
    const size_t left = text.size() - at;
    const size_t n = characterLength ? std::min(characterLength(&text[at], left), left) : 1;
    at += n ? n : 1;
  }
  return count;
}

// Judged as the word will be written, capital first letter included.
bool HoldsLeftOut(std::string_view word, bool capitalize, const bool (&leftOut)[256]) {
  for (size_t i = 0; i < word.size(); ++i) {
    const char c = capitalize && i == 0 ? Capital(word[i]) : word[i];
    if (leftOut[static_cast<unsigned char>(c)]) return true;
  }
  return false;
}

bool SeparatorHoldsLeftOut(const std::string& separator, const bool (&leftOut)[256],
                           const std::vector<std::string>& leftOutMulti,
                           const CharacterLength& characterLength) {
  bool bytes[256] = {};
  std::vector<std::string> multi;
  SplitCharacters(separator, characterLength, bytes, multi);
  for (int b = 0; b < 256; ++b)
    if (bytes[b] && leftOut[b]) return true;
  for (const std::string& c : multi)
    if (std::find(leftOutMulti.begin(), leftOutMulti.end(), c) != leftOutMulti.end()) return true;
  return false;
}

Choices Judge(const PassphraseRequest& r, const WordSpan& list,
              const CharacterLength& characterLength) {
  Choices c;
  c.outcome = GenerateOutcome::Refused;
  if (r.Words < kMinPassphraseWords || r.Words > kMaxPassphraseWords) {
    c.message = "The number of words must be from 3 to 20";
    return c;
  }
  if (CharacterCount(r.Separator, characterLength) > kMaxSeparatorLength) {
    c.message = "The separator can hold at most 10 characters";
    return c;
  }
  bool leftOut[256] = {};
  std::vector<std::string> leftOutMulti;
  SplitCharacters(r.LeaveOut, characterLength, leftOut, leftOutMulti);
  if (SeparatorHoldsLeftOut(r.Separator, leftOut, leftOutMulti, characterLength)) {
    c.message = "The separator holds a left-out character";
    return c;
  }
  c.outcome = GenerateOutcome::NothingAcceptable;
  c.words.reserve(list.Count);
  for (size_t i = 0; i < list.Count; ++i)
    if (!HoldsLeftOut(list.Words[i], r.Capitalize, leftOut))
      c.words.push_back(static_cast<uint32_t>(i));
  if (c.words.empty()) {
    c.message = "No words are left to draw from once left-out characters are removed";
    return c;
  }
  for (char d = '0'; d <= '9'; ++d)
    if (!leftOut[static_cast<unsigned char>(d)]) c.digits[c.digitCount++] = d;
  if (r.AddDigit && c.digitCount == 0) {
    c.message = "No digit is left to add once left-out characters are removed";
    return c;
  }
  c.outcome = GenerateOutcome::Done;
  return c;
}

// The working copies, wiped however generation ends (a random source may throw).
struct WorkBuffers {
  std::string text;
  uint32_t picks[kMaxPassphraseWords] = {};
  ~WorkBuffers() {
    WipeToCapacity(text);
    WipeBytes(picks, sizeof(picks));
  }
};

// One passphrase: the words in order, then the word that takes the digit, then the digit.
void AppendPassphrase(WorkBuffers& work, const PassphraseRequest& r, const WordSpan& list,
                      const Choices& c, RandomSource& source) {
  const uint32_t usable = static_cast<uint32_t>(c.words.size());
  for (int32_t w = 0; w < r.Words; ++w) work.picks[w] = c.words[source.Below(usable)];
  const int32_t digitAfter =
      r.AddDigit ? static_cast<int32_t>(source.Below(uint32_t(r.Words))) : -1;
  const char digit = r.AddDigit ? c.digits[source.Below(c.digitCount)] : 0;
  std::string& text = work.text;
  for (int32_t w = 0; w < r.Words; ++w) {
    if (w > 0) text += r.Separator;
    const size_t at = text.size();
    text += list.Words[work.picks[w]];
    if (r.Capitalize) text[at] = Capital(text[at]);
    if (w == digitAfter) text += digit;
  }
}
}  // namespace

GenerateOutcome GeneratePassphrases(const PassphraseRequest& request, std::string& output,
                                    const Notice& notice, RandomSource& source,
                                    const WordSpan& words, const CharacterLength& characterLength) {
  const Choices choices = Judge(request, words, characterLength);
  if (!choices.message.empty()) {
    notice(choices.message);
    return choices.outcome;
  }
  if (request.Count <= 0) {
    output.clear();
    return GenerateOutcome::Done;
  }
  WorkBuffers work;  // after the swap below, `text` holds what `output` held before
  size_t longest = 0;
  for (size_t i = 0; i < words.Count; ++i) longest = std::max(longest, words.Words[i].size());
  const uint64_t perLine = (longest + request.Separator.size()) * uint64_t(request.Words) + 3;
  work.text.reserve(size_t(std::min<uint64_t>(perLine * uint64_t(request.Count), 1u << 28)));
  for (int32_t i = 1; i <= request.Count; ++i) {
    AppendPassphrase(work, request, words, choices, source);
    if (i != request.Count) work.text += "\r\n";
  }
  output.swap(work.text);
  return GenerateOutcome::Done;
}

double PassphraseBits(const PassphraseRequest& request, const WordSpan& words,
                      const CharacterLength& characterLength) {
  const Choices choices = Judge(request, words, characterLength);
  if (!choices.message.empty()) return 0;
  double bits = request.Words * std::log2(double(choices.words.size()));
  if (request.AddDigit) bits += std::log2(double(choices.digitCount) * request.Words);
  return bits;
}

int PassphraseStrengthBits(const PassphraseRequest& request, const WordSpan& words,
                           const CharacterLength& characterLength) {
  return static_cast<int>(std::lround(PassphraseBits(request, words, characterLength)));
}
