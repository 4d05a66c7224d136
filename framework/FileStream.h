// Whole-file reading and safe saving, raising the system's own messages (paths are wide, so any
// name the system allows works):
//   "Cannot open file "<full path>". <system description>"
//   "Cannot create file "<full path>". <system description>"
//   "Stream write error" / "Stream read error"
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "framework/core/ListFile.h"

// The absolute form of a path as the messages show it.
std::wstring FullPathOf(const std::wstring& path);

// Raises "Cannot open file \"<full path>\". " + reason, for a file refused for what it holds.
[[noreturn]] void RaiseCannotOpenFile(const std::wstring& path, const std::wstring& reason);

// Opens the file for reading (others may read it meanwhile, not write) and hands its bytes to
// take piece by piece until the end or until take returns false.
void ReadFilePieces(const std::wstring& path, const std::function<bool(std::string_view)>& take);

// A list file as ListFileReader reads it, from one opening of the path.
struct ListFileContent {
  bool missing = false;  // set when the file cannot be opened because nothing is at the path
  WipedText text;        // the list's text, or "" when refused
  TextEncoding encoding = TextEncoding::Ansi;
  ListFileRefusal refusal = ListFileRefusal::None;
  size_t refusedLine = 0;
};
// Fills `content`; raises "Cannot open file" when the file cannot be opened.
void ReadListFile(const std::wstring& path, const AnsiCodePage& codePage, size_t maxChars,
                  ListFileContent& content);

std::string ReadWholeFile(const std::wstring& path);

// Writes text as the whole new content of path, byte for byte, without ever leaving a half-written
// file behind: the text goes to a new file in the same folder (no sharing while it is written), is
// flushed, and then replaces the target in one step, which keeps the target's attributes. On a
// failure before the replace step, or when the process is killed meanwhile, the temporary file is
// removed and an existing target is left as it was; should the replace step fail half-way, the
// temporary file stays as the only copy, and the message names it.
void SaveFileSafely(const std::wstring& path, const std::string& text);
