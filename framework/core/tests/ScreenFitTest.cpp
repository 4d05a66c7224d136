#include "framework/core/ScreenFit.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// The main window's design size, a minimum below it, a 23-pixel caption to grab by 46 pixels.
const ScreenFitRules kRules{768, 600, 721, 500, 23, 46};
const WorkArea kLeftScreen{0, 0, 1920, 1040};      // task bar at the bottom
const WorkArea kRightScreen{1920, 0, 3200, 1024};  // a second monitor to the right

WindowBounds Fit(WindowBounds wanted, std::vector<WorkArea> areas = {kLeftScreen}) {
  return FitOnScreen(wanted, kRules, areas);
}

}  // namespace

TEST(ScreenFit, BoundsThatFitAreKeptAsStatedOnEitherMonitor) {
  EXPECT_EQ(Fit({326, 160, 800, 650}), (WindowBounds{326, 160, 800, 650}));
  // A window closed maximised stores its outer rectangle, a little beyond the work area.
  EXPECT_EQ(Fit({-8, -8, 1936, 1056}), (WindowBounds{-8, -8, 1936, 1056}));
  EXPECT_EQ(Fit({2000, 100, 900, 700}, {kLeftScreen, kRightScreen}),
            (WindowBounds{2000, 100, 900, 700}));
}

TEST(ScreenFit, AWindowLeftOnAnUnpluggedMonitorComesUpAtDesignSizeOnTheNearestOne) {
  EXPECT_EQ(Fit({2000, 100, 900, 700}), (WindowBounds{1920 - 768, 100, 768, 600}));
  EXPECT_EQ(Fit({5000, -3000, 900, 700}), (WindowBounds{1920 - 768, 0, 768, 600}));
  EXPECT_EQ(Fit({-4000, 300, 900, 700}, {kLeftScreen, kRightScreen}),
            (WindowBounds{0, 300, 768, 600}));
  EXPECT_EQ(Fit({4000, 300, 900, 700}, {kLeftScreen, kRightScreen}),
            (WindowBounds{3200 - 768, 300, 768, 600}));
}

TEST(ScreenFit, ATitleBarOutOfReachCountsAsOffScreen) {
  // Only the bottom of the window shows: the caption is above the screen.
  EXPECT_EQ(Fit({100, -650, 800, 700}), (WindowBounds{100, 0, 768, 600}));
  // The caption is on the screen by less than the grab width.
  EXPECT_EQ(Fit({1900, 100, 800, 700}), (WindowBounds{1920 - 768, 100, 768, 600}));
  EXPECT_EQ(Fit({1920 - 46, 100, 800, 700}), (WindowBounds{1920 - 46, 100, 800, 700}));
}

TEST(ScreenFit, BoundsBelowTheUsableSizeComeUpAtDesignSizeWhereTheyWere) {
  EXPECT_EQ(Fit({326, 160, -500, 0}), (WindowBounds{326, 160, 768, 600}));
  EXPECT_EQ(Fit({326, 160, 720, 600}), (WindowBounds{326, 160, 768, 600}));
  EXPECT_EQ(Fit({326, 160, 800, 499}), (WindowBounds{326, 160, 768, 600}));
  EXPECT_EQ(Fit({1800, 900, 10, 10}), (WindowBounds{1920 - 768, 1040 - 600, 768, 600}));
}

TEST(ScreenFit, ExtremeNumbersAndNoMonitorInformation) {
  EXPECT_EQ(Fit({INT_MAX, INT_MIN, INT_MAX, INT_MAX}), (WindowBounds{1920 - 768, 0, 768, 600}));
  EXPECT_EQ(Fit({INT_MIN, INT_MAX, INT_MIN, 0}), (WindowBounds{0, 1040 - 600, 768, 600}));
  EXPECT_EQ(FitOnScreen({50, 60, 10, 10}, kRules, {}), (WindowBounds{50, 60, 768, 600}));
}
