// Small text rules the framework applies; portable, so they are unit-tested natively.
#pragma once
#include <optional>
#include <string>

// The pattern with its first "%s" replaced by the argument.
std::string FormatText(const std::string& pattern, const std::string& arg);

// The application title for an executable path: the folder dropped, cut before the first ".",
// every character after the first lower-cased ("C:\x\TALLOWMERE.EXE" -> "Tallowmere").
std::string TitleFromExePath(const std::string& path);

// An error message as the default error box shows it: a full stop is added when the message is
// not empty and its last character sorts after ".".
std::string ErrorBoxText(const std::string& message);
std::wstring ErrorBoxText(const std::wstring& message);

// Lower-cases only the letters "A" to "Z".
std::string LowerAscii(std::string text);

// A path's folder part: up to and including its last "\" or "/", else a leading drive ("C:" of
// "C:x.exe", read as the system reads it: any character before a colon in second place); "" when
// it has neither. A colon further on begins a stream name, part of the file's name.
std::string FolderOfPath(const std::string& path);
std::wstring FolderOfPath(const std::wstring& path);

// The part of a path after its folder part.
std::string FileNameOfPath(const std::string& path);

// The text without one trailing "\" or "/", if it has one.
std::string StripTrailingSlash(const std::string& text);

// True for a full path of a folder below a drive's root ("C:\x") or on a network share
// ("\\server\share"); false for a drive ("C:"), a root ("C:\", "\x"), a relative name ("x") or a
// device path ("\\?\...", "\\.\..."). "." and ".." are not resolved here.
bool IsFolderBelowRoot(const std::wstring& path);

// A spinner's text held to its range [min, max]: a whole number (blanks around it, an optional
// sign, digits with the thousands separator anywhere between them) gives itself, or max above
// the range, min below it; any other text gives nullopt (the spinner keeps its last position).
std::optional<int> WholeNumberInRange(const std::string& text, const std::string& separator,
                                      int min, int max);
