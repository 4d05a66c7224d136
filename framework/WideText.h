// Between the program's 8-bit text (the system's ANSI code page) and the system's UTF-16 text, for
// file names, which may hold characters the ANSI code page cannot spell.
#pragma once
#include <windows.h>

#include <string>

// Embedded zero characters are converted like any other.
std::wstring AnsiToWide(const std::string& text);
// Characters the code page lacks become the system's nearest stand-in ("Ω" gives "O") or "?".
std::string WideToAnsi(const std::wstring& text);
// The exact ANSI spelling; false (and "") when a character would need a stand-in.
bool WideToAnsiExact(const std::wstring& text, std::string& ansi);
// A field's text read in UTF-16, keeping only the characters the ANSI code page spells exactly:
// read as ANSI, one it lacks would come back as "?" or a look-alike. False when one was dropped.
bool ExactAnsiText(HWND field, std::string& text);
