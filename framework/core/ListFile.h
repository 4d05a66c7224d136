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
  ZeroByte,           // a file without a mark that holds a zero byte: a binary file, not text
  LooksLikeUtf16,     // its zero bytes say UTF-16 without a mark, but it cannot be read as that
  InvalidText,        // not valid in its marked encoding; at RefusedLine()
  ZeroCharacter,      // a marked file that holds a zero character
  NotInCodePage,      // a character the code page cannot spell; at RefusedLine()
  ChangedByCodePage,  // bytes that would not come back from the list as they are; at RefusedLine()
  TooLarge,           // more text than the list can hold
};

// Reads a list file piece by piece, as the platform hands its bytes over. A file without a mark is
// UTF-8 when its bytes are valid UTF-8, hold a character beyond ASCII and the code page can spell
// them; UTF-16 when a zero byte comes early, it has whole 16-bit units, at least half of them have
// a zero high byte (blanks, digits, Latin letters and line breaks do), no low byte is zero and it
// decodes (a file nearly so, or with zero bytes almost all on one side, is refused as
// LooksLikeUtf16; one whose first 64 KiB already say neither, at once); ANSI otherwise, when
// its bytes convert to Unicode and back as they are.
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
  bool TakeUnmarked(std::string_view piece);
  bool Fits(const std::string& bytes);
  void DecodeMarked();
  // The ANSI spelling of a Unicode file's text; false (refused at its line) when the code page
  // cannot spell a character.
  bool SpellInAnsi(const std::u16string& text, std::string& ansi);
  bool EndProbe();
  // None when the bytes without a mark can be UTF-16 (`encoding` tells which), else the refusal.
  static ListFileRefusal Utf16Refusal(const std::string& bytes, TextEncoding& encoding);
  void ReadUnmarkedUtf16();
  std::string ReadUnmarkedUtf8(std::string ansi);
  bool KeepsBytes(const std::string& text);

  AnsiCodePage codePage_;
  size_t maxChars_, sizeHint_;
  LineBreakConverter converter_;
  WipedText head_;    // the first bytes, until they tell the encoding
  WipedText marked_;  // a marked file's bytes, decoded once they are all read
  // An unmarked file's first kProbeBytes, until they tell its kind; all its bytes while it may be
  // UTF-16.
  WipedText probe_;
  bool probing_ = true, zeros_ = false;
  bool first_ = true;
  TextEncoding encoding_ = TextEncoding::Ansi;
  ListFileRefusal refusal_ = ListFileRefusal::None;
  size_t line_ = 0;
};

// The bytes Save writes for the list's text: as it is, or in the file's marked encoding.
std::string ListFileBytes(const std::string& text, TextEncoding encoding,
                          const AnsiCodePage& codePage);
