// The password list as a file: its bytes become the list's text and how the file was written, and
// the text goes back to bytes the same way. No character is ever changed on the way: a file whose
// text the list cannot hold as it is gets refused, and the refusal says why (the window words it).
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "framework/core/LineBreaks.h"
#include "framework/core/TextEncoding.h"
#include "framework/core/Wipe.h"

// The system's ANSI code page, the list's own text, which only the platform can convert.
struct AnsiCodePage {
  // The exact ANSI spelling; false when a character would need a stand-in.
  std::function<bool(const std::u16string&, std::string&)> fromUtf16;
  std::function<void(const std::string&, std::u16string&)> toUtf16;
};

// Why a file does not become the list.
enum class ListFileRefusal {
  None,
  ZeroByte,       // a file without a mark that holds a zero byte: a binary file, not text
  InvalidText,    // not valid in its marked encoding; at RefusedLine()
  ZeroCharacter,  // a marked file that holds a zero character
  NotInCodePage,  // a character the code page cannot spell; at RefusedLine()
  TooLarge,       // more text than the list can hold
};

// Reads a list file piece by piece, as the platform hands its bytes over.
class ListFileReader {
 public:
  // maxChars: the most text the list holds; sizeHint: the file's size, when known, so that a
  // marked file's bytes are kept in one piece of memory (growing would leave copies behind).
  ListFileReader(AnsiCodePage codePage, size_t maxChars, size_t sizeHint = 0);
  ListFileReader(const ListFileReader&) = delete;
  ListFileReader& operator=(const ListFileReader&) = delete;

  // Takes the file's next piece; false once more bytes would change nothing (refused, or full).
  bool Feed(std::string_view piece);
  // Ends the file: the list's text, or "" with Refusal() set.
  std::string Finish();

  TextEncoding Encoding() const { return encoding_; }
  ListFileRefusal Refusal() const { return refusal_; }
  size_t RefusedLine() const { return line_; }

 private:
  bool Begin();
  bool Take(std::string_view piece);
  void DecodeMarked();

  AnsiCodePage codePage_;
  size_t maxChars_, sizeHint_;
  LineBreakConverter converter_;
  WipedText head_;    // the first bytes, until they tell the encoding
  WipedText marked_;  // a marked file's bytes, decoded once they are all read
  bool first_ = true;
  TextEncoding encoding_ = TextEncoding::Ansi;
  ListFileRefusal refusal_ = ListFileRefusal::None;
  size_t line_ = 0;
};

// The bytes Save writes for the list's text: as it is, or in the file's marked encoding.
std::string ListFileBytes(const std::string& text, TextEncoding encoding,
                          const AnsiCodePage& codePage);
