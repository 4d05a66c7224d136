// Where a window comes up from stored bounds: as stored when it is large enough to use and its
// title bar can be reached on a monitor, else at its design size on the nearest monitor's work
// area. The monitors come in as rectangles, so the rule is plain arithmetic and tested natively.
#pragma once
#include <vector>

struct WindowBounds {
  int left, top, width, height;
  bool operator==(const WindowBounds& o) const {
    return left == o.left && top == o.top && width == o.width && height == o.height;
  }
};

// A monitor's work area: the screen without the task bar and docked bars.
struct WorkArea {
  int left, top, right, bottom;
};

struct ScreenFitRules {
  int designWidth, designHeight;
  int minWidth, minHeight;  // the smallest usable size: the window's minimum tracking size
  int captionHeight;        // the strip along the top edge the user drags the window by
  int grabWidth;            // how much of that strip must lie on a work area to be reachable
};

WindowBounds FitOnScreen(const WindowBounds& wanted, const ScreenFitRules& rules,
                         const std::vector<WorkArea>& workAreas);
