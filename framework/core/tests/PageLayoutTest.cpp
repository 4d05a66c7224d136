#include "framework/core/PageLayout.h"

#include <gtest/gtest.h>

namespace {

// A fixed-pitch row of the given width in characters.
FitCount Columns(size_t n) {
  return [n](std::string_view text) { return std::min(text.size(), n); };
}

using Rows = std::vector<std::string_view>;

}  // namespace

TEST(PrintedRows, ALineThatFitsIsOneRowAndAnEmptyLineOneEmptyRow) {
  EXPECT_EQ(WrapLine("abcd", Columns(4)), Rows{"abcd"});
  EXPECT_EQ(WrapLine("", Columns(4)), Rows{""});
}

TEST(PrintedRows, ALongWordIsCutWhereTheRowIsFull) {
  EXPECT_EQ(WrapLine("abcdefghij", Columns(4)), (Rows{"abcd", "efgh", "ij"}));
}

TEST(PrintedRows, ALineWithBlanksBreaksAfterTheLastBlankThatFits) {
  EXPECT_EQ(WrapLine("ab cd efgh", Columns(6)), (Rows{"ab cd ", "efgh"}));
  EXPECT_EQ(WrapLine("abcd efgh", Columns(4)), (Rows{"abcd ", "efgh"}));
}

TEST(PrintedRows, ARowThatFitsNothingStillTakesOneCharacter) {
  EXPECT_EQ(WrapLine("abc", Columns(0)), (Rows{"a", "b", "c"}));
}

TEST(PrintedPages, NoLinesGiveOneEmptyPage) {
  const auto pages = LayOutPages({}, Columns(10), 5);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_TRUE(pages[0].empty());
}

TEST(PrintedPages, ANewPageStartsOnlyWhileRowsRemain) {
  std::vector<std::string> lines(10, "x");
  EXPECT_EQ(LayOutPages(lines, Columns(10), 5).size(), 2u);
  lines.push_back("y");
  const auto pages = LayOutPages(lines, Columns(10), 5);
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[2], Rows{"y"});
}

TEST(PrintedPages, WrappedRowsCountTowardsThePage) {
  const std::vector<std::string> lines{"abcdefgh", "ij"};
  const auto pages = LayOutPages(lines, Columns(4), 2);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0], (Rows{"abcd", "efgh"}));
  EXPECT_EQ(pages[1], Rows{"ij"});
}

TEST(PrintedPages, APageTooSmallForOneRowStillHoldsOne) {
  EXPECT_EQ(LayOutPages({"a", "b", "c"}, Columns(4), 0).size(), 3u);
}
