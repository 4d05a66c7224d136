// Text files other tools write: with a byte-order mark, UTF-8 (many editors), UTF-16 little-endian
// (Windows PowerShell) and big-endian; without one, UTF-8 (today's system editor) and UTF-16
// (`cmd /u`). A file opens as the text it holds and is saved back the same way; which unmarked
// files count as UTF-8 or UTF-16 is ListFile's rule, every other one is ANSI text, as the program
// writes it.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

enum class TextEncoding { Ansi, Utf8, Utf16Le, Utf16Be, Utf8NoMark, Utf16LeNoMark, Utf16BeNoMark };

// The encoding a file's first bytes announce with their mark; Ansi without one.
TextEncoding EncodingOfBytes(std::string_view bytes);

// The UTF-16 text of a file's bytes in that encoding (its mark included, if it has one). False when
// the bytes hold no valid text in that encoding (a broken or cut sequence); `badLine` is then its
// line, counted from 1.
bool DecodeMarkedText(std::string_view bytes, TextEncoding encoding, std::u16string& text,
                      size_t& badLine);

// A file's bytes for the text in a Unicode encoding: the mark, if it has one, then the text.
std::string EncodeMarkedText(const std::u16string& text, TextEncoding encoding);
