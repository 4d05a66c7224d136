// Printing plain lines of text on the system's default printer, without a print dialog.
//
// Error contract of the framework's platform wrappers: a function named Open... or Try... answers
// false and leaves the system's error code as the last error; every other function raises the
// user-facing Exception with the system's text.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Prints the lines as one job named documentName, in the given font, over the whole printable area
// of each page: a line wider than the page wraps, a new page starts only while rows remain, and no
// lines give one empty page. Throws Exception("There is no default printer currently selected").
void PrintLines(const std::string& documentName, const std::vector<std::string>& lines,
                const std::string& fontName, int pointSize);
// The same on a device context the caller owns; the context keeps its own font afterwards, also
// when printing fails.
void PrintLinesOn(HDC dc, const std::string& documentName, const std::vector<std::string>& lines,
                  const std::string& fontName, int pointSize);

// The name of the default printer, or "" when there is none.
std::string DefaultPrinterName();
