// Password generation: validation, the acceptance table, the character draw, grouping and joining.
#include "generator/PasswordGenerator.h"

#include <algorithm>

namespace {
constexpr int FirstCode = 33;  // a draw is FirstCode + Below(CodeRange)
constexpr uint32_t CodeRange = 224;
constexpr uint32_t MaxDraws = 100001;  // per position; then the position is dropped

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

// One position: a character, or -1 when the position is dropped.
int DrawByRejection(const CodeTable& table, RandomSource& source) {
  for (uint32_t draw = 0; draw < MaxDraws; ++draw) {
    const int code = FirstCode + static_cast<int>(source.Below(CodeRange));
    if (table.Accepts[code]) return code & 0xFF;
  }
  return -1;
}

// One password's characters, before grouping.
void DrawCharacters(std::string& chars, int32_t length, const CodeTable& table,
                    RandomSource& source, bool direct) {
  chars.clear();
  if (direct) {
    chars.resize(static_cast<size_t>(length));
    source.Pick(table.Acceptable, table.Count, &chars[0], chars.size());
    return;
  }
  for (int32_t p = 0; p < length; ++p) {
    const int c = DrawByRejection(table, source);
    if (c >= 0) chars += static_cast<char>(c);
  }
}

// One position when some custom characters take several bytes: an index into the byte values
// (below 256) or into table.MultiByte (256 and up), or -1 when the position is dropped. Those
// characters are drawn as codes past 256, so no byte of one ever stands alone.
int DrawWhole(const CodeTable& table, RandomSource& source, bool direct) {
  const uint32_t extra = static_cast<uint32_t>(table.MultiByte.size());
  if (direct) {
    const uint32_t i = source.Below(table.Count + extra);
    return i < table.Count ? table.Acceptable[i] : static_cast<int>(256 + i - table.Count);
  }
  for (uint32_t draw = 0; draw < MaxDraws; ++draw) {
    const int code = FirstCode + static_cast<int>(source.Below(CodeRange + extra));
    if (code > 256) return code - 1;
    if (table.Accepts[code]) return code & 0xFF;
  }
  return -1;
}

// One password of whole characters, grouped by characters rather than bytes.
void AppendWholeCharacters(std::string& text, int32_t length, const CodeTable& table,
                           RandomSource& source, bool direct, const PasswordRequest& r) {
  const int32_t group = r.UseGroups && r.GroupSize > 0 ? r.GroupSize : 0;
  int32_t placed = 0;
  for (int32_t p = 0; p < length; ++p) {
    const int c = DrawWhole(table, source, direct);
    if (c < 0) continue;
    if (group && placed > 0 && placed % group == 0) text += '-';
    if (c < 256)
      text += static_cast<char>(c);
    else
      text += table.MultiByte[static_cast<size_t>(c - 256)];
    ++placed;
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

// Room for the whole text when it is of a sensible size; larger texts grow as they go.
void ReserveFor(std::string& text, const PasswordRequest& r) {
  const uint64_t length = static_cast<uint64_t>(std::max(r.PasswordLength, 0));
  const uint64_t group = r.UseGroups && r.GroupSize > 0 ? static_cast<uint64_t>(r.GroupSize) : 0;
  const uint64_t perPassword = length + (group ? length / group : 0) + 2;
  const uint64_t total = perPassword * static_cast<uint64_t>(r.PasswordCount);
  text.reserve(static_cast<size_t>(std::min<uint64_t>(total, uint64_t(1) << 28)));
}
}  // namespace

CodeTable BuildCodeTable(const PasswordRequest& r, const CharacterLength& characterLength) {
  CodeTable table;
  bool inCustom[256] = {};
  const std::string& custom = r.CustomCharacters;
  for (size_t at = 0; r.UseCustom && at < custom.size();) {
    const size_t left = custom.size() - at;
    const size_t n = characterLength ? std::min(characterLength(&custom[at], left), left) : 1;
    if (n == 0) {
      ++at;  // a byte that starts no character is none
    } else if (n == 1) {
      inCustom[static_cast<unsigned char>(custom[at++])] = true;
    } else {
      const std::string c = custom.substr(at, n);
      if (std::find(table.MultiByte.begin(), table.MultiByte.end(), c) == table.MultiByte.end())
        table.MultiByte.push_back(c);
      at += n;
    }
  }

  for (int code = FirstCode; code < FirstCode + static_cast<int>(CodeRange); ++code) {
    const unsigned char c = static_cast<unsigned char>(code & 0xFF);
    const bool accepted = (r.UseDigits && IsDigit(code)) || (r.UseUppercase && IsUpper(code)) ||
                          (r.UseLowercase && IsLower(code)) || (r.UseSpecial && IsSpecial(code)) ||
                          inCustom[c];
    if (!accepted || (r.ExcludeSimilar && IsLookAlike(c))) continue;
    table.Accepts[code] = true;
    table.Acceptable[table.Count++] = c;
  }
  return table;
}

GenerateOutcome GeneratePasswords(const PasswordRequest& request, std::string& output,
                                  const Notice& notice, RandomSource& source,
                                  const CharacterLength& characterLength) {
  if (!HasClass(request)) {
    notice("Please select one or several items in Password characters options");
    return GenerateOutcome::Refused;
  }
  if (request.UseCustom && IsBlank(request.CustomCharacters)) {
    notice("No custom characters selected");
    return GenerateOutcome::Refused;
  }
  const CodeTable table = BuildCodeTable(request, characterLength);
  // Only a custom set can be emptied by the look-alike veto: every class keeps other characters.
  if (table.Count == 0 && table.MultiByte.empty()) {
    notice("All custom characters are excluded as similar characters");
    return GenerateOutcome::NothingAcceptable;
  }
  if (request.PasswordCount <= 0) {
    output.clear();
    return GenerateOutcome::Done;
  }

  const int32_t length = std::max(request.PasswordLength, 0);
  const bool direct = source.DrawsFromAcceptable();
  const bool grouped = request.UseGroups && request.GroupSize > 0;
  std::string text;
  ReserveFor(text, request);
  std::string chars;
  chars.reserve(static_cast<size_t>(std::min(length, int32_t(1) << 20)));

  for (int32_t i = 1; i <= request.PasswordCount; ++i) {
    if (!table.MultiByte.empty()) {
      AppendWholeCharacters(text, length, table, source, direct, request);
    } else if (direct && !grouped) {
      // Every position gets a character, so they can go straight into place.
      const size_t at = text.size();
      text.resize(at + static_cast<size_t>(length));
      source.Pick(table.Acceptable, table.Count, &text[at], static_cast<size_t>(length));
    } else {
      DrawCharacters(chars, length, table, source, direct);
      AppendGrouped(text, chars, request);
    }
    if (i != request.PasswordCount) text += "\r\n";
  }
  output.swap(text);
  return GenerateOutcome::Done;
}
