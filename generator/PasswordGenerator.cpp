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
  if (table.Count == 0) {
    // Every position would run out of draws. Rejection keeps its exact sequence by accounting for
    // them all at once; drawing from the (empty) acceptable codes needs none.
    if (!direct) source.Skip(static_cast<uint64_t>(length) * MaxDraws);
    return;
  }
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

CodeTable BuildCodeTable(const PasswordRequest& r) {
  bool inCustom[256] = {};
  if (r.UseCustom)
    for (char c : r.CustomCharacters) inCustom[static_cast<unsigned char>(c)] = true;

  CodeTable table;
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

void GeneratePasswords(const PasswordRequest& request, std::string& output, const Notice& notice,
                       RandomSource& source) {
  if (!HasClass(request)) {
    notice("Please select one or several items in Password characters options");
    return;
  }
  if (request.UseCustom && IsBlank(request.CustomCharacters)) {
    notice("No custom characters selected");
    return;
  }
  if (request.PasswordCount <= 0) {
    output.clear();
    return;
  }

  const CodeTable table = BuildCodeTable(request);
  const int32_t length = std::max(request.PasswordLength, 0);
  const bool direct = source.DrawsFromAcceptable();
  const bool grouped = request.UseGroups && request.GroupSize > 0;
  std::string text;
  if (table.Count > 0) ReserveFor(text, request);
  std::string chars;
  chars.reserve(static_cast<size_t>(std::min(length, int32_t(1) << 20)));

  for (int32_t i = 1; i <= request.PasswordCount; ++i) {
    if (direct && !grouped && table.Count > 0) {
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
}
