// Reading and writing the list file; see ListFile.h.
#include "framework/core/ListFile.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace {

// How far into a file without a mark a zero byte may still mean UTF-16: its first line holds one.
constexpr size_t kProbeBytes = 64 * 1024;

// How much ANSI text is converted at a time to see that it comes back: the copies stay small.
constexpr size_t kCheckBytes = 64 * 1024;

// True when the code page gives the bytes back as they are.
bool ComesBack(std::string_view bytes, const AnsiCodePage& codePage) {
  const WipedText piece{std::string(bytes)};
  Wiped<std::u16string> units;
  WipedText back;
  codePage.toUtf16(piece.Get(), units.Get());
  return codePage.fromUtf16(units.Get(), back.Get()) && back.Get() == bytes;
}

// Where the piece of text from `start` ends: at the first line break `least` bytes on, where a
// character always ends (CR and LF are single bytes in every ANSI code page), or at the end.
size_t PieceEnd(std::string_view text, size_t start, size_t least) {
  const size_t end = text.find("\r\n", start + least);
  return end == std::string_view::npos ? text.size() : end + 2;
}

}  // namespace

ListFileReader::ListFileReader(AnsiCodePage codePage, size_t maxChars, size_t sizeHint)
    : codePage_(std::move(codePage)),
      maxChars_(maxChars),
      sizeHint_(sizeHint),
      converter_(maxChars) {}

bool ListFileReader::Feed(std::string_view piece) {
  if (refusal_ != ListFileRefusal::None) return false;
  if (!first_) return Take(piece);
  // A mark is at most three bytes: the first ones wait until the mark can be told.
  AppendWiped(head_.Get(), piece);
  return head_.Get().size() < 3 || Begin();
}

bool ListFileReader::Begin() {
  first_ = false;
  encoding_ = EncodingOfBytes(head_.Get());
  if (encoding_ != TextEncoding::Ansi) marked_.Get().reserve(sizeHint_);
  return Take(head_.Get());
}

bool ListFileReader::Take(std::string_view piece) {
  if (encoding_ != TextEncoding::Ansi) {
    AppendWiped(marked_.Get(), piece);  // beyond the reserve if the file grew meanwhile
    return Fits(marked_.Get());
  }
  return TakeUnmarked(piece);
}

// No Unicode encoding spells a character in more than four bytes: more bytes than that cannot fit,
// and the bytes read so far, cut anywhere, must not be decoded as if they were the file.
bool ListFileReader::Fits(const std::string& bytes) {
  if (maxChars_ > SIZE_MAX / 4 || bytes.size() <= maxChars_ * 4) return true;
  refusal_ = ListFileRefusal::TooLarge;
  return false;
}

// The first kProbeBytes wait to tell the file's kind: without a zero byte it is ANSI text, which
// a later zero byte refuses; with one, reading goes on only while it can be UTF-16.
bool ListFileReader::TakeUnmarked(std::string_view piece) {
  if (probing_) {
    // Exactly the first kProbeBytes, however the file comes in pieces.
    const std::string_view head = piece.substr(0, kProbeBytes - probe_.Get().size());
    AppendWiped(probe_.Get(), head, std::min(sizeHint_, kProbeBytes));
    zeros_ = zeros_ || head.find('\0') != std::string_view::npos;
    if (probe_.Get().size() < kProbeBytes) return true;
    if (!EndProbe()) return false;
    piece.remove_prefix(head.size());
  }
  if (zeros_) {
    AppendWiped(probe_.Get(), piece, sizeHint_);
    return Fits(probe_.Get());
  }
  // Taking the text before a zero byte would lose the rest at the next Save.
  if (piece.find('\0') != std::string_view::npos) {
    refusal_ = ListFileRefusal::ZeroByte;
    return false;
  }
  return converter_.Feed(piece);
}

// A binary file opened by mistake is refused here, before the rest of it is read.
bool ListFileReader::EndProbe() {
  probing_ = false;
  if (zeros_) {
    TextEncoding utf16;  // told again from all the bytes at the end
    refusal_ = Utf16Refusal(probe_.Get(), utf16);
    return refusal_ == ListFileRefusal::None;
  }
  const bool more = converter_.Feed(probe_.Get());
  Wipe(probe_.Get());
  probe_.Get().clear();
  return more;
}

void ListFileReader::DecodeMarked() {
  Wiped<std::u16string> decoded;
  const std::u16string& text = decoded.Get();
  if (!DecodeMarkedText(marked_.Get(), encoding_, decoded.Get(), line_)) {
    refusal_ = ListFileRefusal::InvalidText;
    return;
  }
  if (text.find(u'\0') != std::u16string::npos) {
    refusal_ = ListFileRefusal::ZeroCharacter;
    return;
  }
  WipedText ansi;
  if (SpellInAnsi(text, ansi.Get())) converter_.Feed(ansi.Get());
}

bool ListFileReader::SpellInAnsi(const std::u16string& text, std::string& ansi) {
  if (codePage_.fromUtf16(text, ansi)) return true;
  // The first line that the code page cannot spell.
  refusal_ = ListFileRefusal::NotInCodePage;
  line_ = 1;
  for (size_t start = 0; start < text.size(); ++line_) {
    const size_t end = std::min(text.find(u'\n', start), text.size());
    const Wiped<std::u16string> line(text.substr(start, end - start));
    WipedText part;
    if (!codePage_.fromUtf16(line.Get(), part.Get())) break;
    start = end + 1;
  }
  return false;
}

// Zero bytes in a file without a mark: UTF-16 where they say so plainly. A list in UTF-16 has a
// zero high byte in most units (every one below U+0100: blanks, digits, Latin letters, line
// breaks) and, being text, no zero unit; a binary file, or text with a stray zero byte, does not.
// Text in other scripts has zero high bytes only at its line breaks and ASCII, but they still
// fall on one side, where a binary file's fall on both.
ListFileRefusal ListFileReader::Utf16Refusal(const std::string& bytes, TextEncoding& encoding) {
  size_t zeros[2] = {0, 0};
  for (size_t i = 0; i < bytes.size(); ++i)
    if (bytes[i] == '\0') ++zeros[i % 2];
  const bool little = zeros[1] >= zeros[0];
  const size_t high = zeros[little ? 1 : 0], low = zeros[little ? 0 : 1], units = bytes.size() / 2;
  const bool plain = high * 4 >= units && low * 4 <= high;
  const bool oneSided = high >= 4 && low * 16 <= high && high * 64 >= units;
  if (bytes.size() % 2 != 0 || !(plain || oneSided)) return ListFileRefusal::ZeroByte;
  encoding = little ? TextEncoding::Utf16LeNoMark : TextEncoding::Utf16BeNoMark;
  if (low > 0 || high * 2 < units) return ListFileRefusal::LooksLikeUtf16;
  return ListFileRefusal::None;
}

void ListFileReader::ReadUnmarkedUtf16() {
  refusal_ = Utf16Refusal(probe_.Get(), encoding_);
  if (refusal_ != ListFileRefusal::None) return;
  Wiped<std::u16string> decoded;
  size_t badLine = 0;
  if (!DecodeMarkedText(probe_.Get(), encoding_, decoded.Get(), badLine)) {
    refusal_ = ListFileRefusal::LooksLikeUtf16;
    return;
  }
  WipedText ansi;
  if (SpellInAnsi(decoded.Get(), ansi.Get())) converter_.Feed(ansi.Get());
}

// Valid UTF-8 holding a character beyond ASCII was written as UTF-8, unless the code page cannot
// spell it: then it is ANSI text that happens to be valid UTF-8, such as a list this program
// wrote, and it opens as before. The line breaks are converted already: they are ASCII, and never
// part of a UTF-8 sequence.
std::string ListFileReader::ReadUnmarkedUtf8(std::string bytes) {
  WipedText kept(std::move(bytes));
  const std::string& text = kept.Get();
  Wiped<std::u16string> decoded;
  size_t badLine = 0;
  if (std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; }) ||
      !DecodeMarkedText(text, TextEncoding::Utf8NoMark, decoded.Get(), badLine))
    return std::move(kept.Get());
  WipedText ansi;
  if (!codePage_.fromUtf16(decoded.Get(), ansi.Get())) return std::move(kept.Get());
  encoding_ = TextEncoding::Utf8NoMark;
  return std::move(ansi.Get());
}

// The window holds the list in Unicode: bytes the code page would give back as others (a second
// spelling of a character, a lead byte without its trail) would be saved changed.
bool ListFileReader::KeepsBytes(const std::string& text) {
  const std::string_view all(text);
  for (size_t start = 0, line = 1; start < all.size();) {
    const size_t end = PieceEnd(all, start, kCheckBytes);
    if (ComesBack(all.substr(start, end - start), codePage_)) {
      line += static_cast<size_t>(std::count(all.begin() + start, all.begin() + end, '\n'));
      start = end;
      continue;
    }
    // The first line in the piece that does not come back alone.
    for (size_t at = start, next; (next = PieceEnd(all, at, 0)) < end; at = next, ++line)
      if (!ComesBack(all.substr(at, next - at), codePage_)) break;
    refusal_ = ListFileRefusal::ChangedByCodePage;
    line_ = line;
    return false;
  }
  return true;
}

std::string ListFileReader::Finish() {
  if (first_ && !head_.Get().empty()) Begin();
  if (refusal_ == ListFileRefusal::None) {
    if (encoding_ != TextEncoding::Ansi)
      DecodeMarked();
    else if (zeros_)
      ReadUnmarkedUtf16();
    else if (probing_)
      converter_.Feed(probe_.Get());  // a short file: all of it was waiting here
  }
  if (refusal_ != ListFileRefusal::None) return std::string();
  std::string text = converter_.Finish();
  if (converter_.Overflowed()) refusal_ = ListFileRefusal::TooLarge;
  if (encoding_ != TextEncoding::Ansi || refusal_ != ListFileRefusal::None) return text;
  WipedText read(ReadUnmarkedUtf8(std::move(text)));
  if (encoding_ == TextEncoding::Ansi && !KeepsBytes(read.Get())) return std::string();
  return std::move(read.Get());
}

std::string ListFileBytes(const std::string& text, TextEncoding encoding,
                          const AnsiCodePage& codePage) {
  if (encoding == TextEncoding::Ansi) return text;
  Wiped<std::u16string> units;
  codePage.toUtf16(text, units.Get());
  return EncodeMarkedText(units.Get(), encoding);
}
