// Lays printed text out in rows and pages. The printer supplies how many leading characters of a
// text fit in one row; everything else is plain arithmetic, so it is tested natively.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

using FitCount = std::function<size_t(std::string_view)>;

// The rows one line takes: a line wider than a row is broken after its last blank that fits, or
// else where the row is full. Every row takes at least one character, so this always ends.
// An empty line is one empty row. Rows are views into the line: the layout makes no copy of text
// that may hold passwords.
std::vector<std::string_view> WrapLine(std::string_view line, const FitCount& fit);

// Rows grouped in pages of rowsPerPage (taken as at least 1). No rows give one empty page. The
// rows point into lines, which must outlive them.
std::vector<std::vector<std::string_view>> LayOutPages(const std::vector<std::string>& lines,
                                                       const FitCount& fit, size_t rowsPerPage);
