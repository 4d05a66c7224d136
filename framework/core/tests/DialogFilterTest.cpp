#include "framework/core/DialogFilter.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(DialogFilters, EachPartEndsInAZeroAndTheListInTwo) {
  EXPECT_EQ(DialogFilterList("All Files (*.*)|*.*"), "All Files (*.*)\0*.*\0\0"s);
  EXPECT_EQ(DialogFilterList("Text|*.txt|All|*.*"), "Text\0*.txt\0All\0*.*\0\0"s);
}
