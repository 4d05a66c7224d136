// Reading and writing the list file; see ListFile.h.
#include "framework/core/ListFile.h"

#include <algorithm>
#include <cstdint>
#include <utility>

ListFileReader::ListFileReader(AnsiCodePage codePage, size_t maxChars, size_t sizeHint)
    : codePage_(std::move(codePage)),
      maxChars_(maxChars),
      sizeHint_(sizeHint),
      converter_(maxChars) {}

bool ListFileReader::Feed(std::string_view piece) {
  if (refusal_ != ListFileRefusal::None) return false;
  if (!first_) return Take(piece);
  // A mark is at most three bytes: the first ones wait until the mark can be told.
  head_.Get().append(piece);
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
    marked_.Get().append(piece);
    return maxChars_ > SIZE_MAX / 4 || marked_.Get().size() <= maxChars_ * 4;
  }
  // Taking the text before a zero byte would lose the rest at the next Save.
  if (piece.find('\0') != std::string_view::npos) {
    refusal_ = ListFileRefusal::ZeroByte;
    return false;
  }
  return converter_.Feed(piece);
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
  if (codePage_.fromUtf16(text, ansi.Get())) {
    converter_.Feed(ansi.Get());
    return;
  }
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
}

std::string ListFileReader::Finish() {
  if (first_ && !head_.Get().empty()) Begin();
  if (encoding_ != TextEncoding::Ansi && refusal_ == ListFileRefusal::None) DecodeMarked();
  if (refusal_ != ListFileRefusal::None) return std::string();
  std::string text = converter_.Finish();
  if (converter_.Overflowed()) refusal_ = ListFileRefusal::TooLarge;
  return text;
}

std::string ListFileBytes(const std::string& text, TextEncoding encoding,
                          const AnsiCodePage& codePage) {
  if (encoding == TextEncoding::Ansi) return text;
  Wiped<std::u16string> units;
  codePage.toUtf16(text, units.Get());
  return EncodeMarkedText(units.Get(), encoding);
}
