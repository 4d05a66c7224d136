// Text files other tools write with a byte-order mark: UTF-8 (many editors), UTF-16 little-endian
// (Windows PowerShell) and big-endian. A file opens as the text it holds and is saved back the same
// way; a file without a mark is ANSI text, as the program writes it.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

enum class TextEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

// The encoding a file's first bytes announce with their mark; Ansi without one.
TextEncoding EncodingOfBytes(std::string_view bytes);

// The UTF-16 text of a marked file's bytes (mark included). False when the bytes hold no valid
// text in that encoding (a broken or cut sequence); `badLine` is then its line, counted from 1.
bool DecodeMarkedText(std::string_view bytes, TextEncoding encoding, std::u16string& text,
                      size_t& badLine);

// A file's bytes for the text in a marked encoding: the mark, then the text.
std::string EncodeMarkedText(const std::u16string& text, TextEncoding encoding);
