// Row and page layout of printed text.
#include "framework/core/PageLayout.h"

#include <algorithm>

std::vector<std::string_view> WrapLine(std::string_view line, const FitCount& fit) {
  std::vector<std::string_view> rows;
  while (line.size() > 0) {
    size_t take = std::min(fit(line), line.size());
    if (take < line.size()) {
      const size_t blank = line.substr(0, take + 1).find_last_of(' ');
      if (blank != std::string_view::npos && blank > 0) take = blank + 1;
    }
    take = std::max<size_t>(take, 1);
    rows.emplace_back(line.substr(0, take));
    line.remove_prefix(take);
  }
  if (rows.empty()) rows.emplace_back();
  return rows;
}

std::vector<std::vector<std::string_view>> LayOutPages(const std::vector<std::string>& lines,
                                                       const FitCount& fit, size_t rowsPerPage) {
  rowsPerPage = std::max<size_t>(rowsPerPage, 1);
  std::vector<std::vector<std::string_view>> pages(1);
  for (const auto& line : lines) {
    for (const auto row : WrapLine(line, fit)) {
      if (pages.back().size() == rowsPerPage) pages.emplace_back();
      pages.back().push_back(row);
    }
  }
  return pages;
}
