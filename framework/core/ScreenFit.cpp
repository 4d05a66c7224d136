// The rule for bringing a window up on a monitor; see ScreenFit.h.
#include "framework/core/ScreenFit.h"

#include <algorithm>
#include <cstdint>

namespace {

// Stored values are any 32-bit numbers: edges are summed in 64 bits.
struct Span {
  int64_t low, high;
};

int64_t Overlap(Span a, Span b) { return std::min(a.high, b.high) - std::max(a.low, b.low); }

// How far apart two spans are; 0 when they meet.
int64_t Gap(Span a, Span b) { return std::max<int64_t>({0, b.low - a.high, a.low - b.high}); }

// The start that puts a span of this length inside [low, high), or at low when it is longer.
int64_t ClampStart(int64_t start, int64_t length, int64_t low, int64_t high) {
  return std::max(low, std::min(start, high - length));
}

bool Reachable(const WindowBounds& w, const ScreenFitRules& rules, const WorkArea& area) {
  const Span across{w.left, int64_t{w.left} + w.width};
  const Span caption{w.top, int64_t{w.top} + rules.captionHeight};
  return Overlap(across, {area.left, area.right}) >= rules.grabWidth &&
         Overlap(caption, {area.top, area.bottom}) > 0;
}

}  // namespace

WindowBounds FitOnScreen(const WindowBounds& wanted, const ScreenFitRules& rules,
                         const std::vector<WorkArea>& workAreas) {
  const bool usable = wanted.width >= rules.minWidth && wanted.height >= rules.minHeight;
  if (usable && std::any_of(workAreas.begin(), workAreas.end(),
                            [&](const WorkArea& a) { return Reachable(wanted, rules, a); }))
    return wanted;

  WindowBounds placed{wanted.left, wanted.top, rules.designWidth, rules.designHeight};
  if (workAreas.empty()) return placed;
  const Span across{placed.left, int64_t{placed.left} + placed.width};
  const Span down{placed.top, int64_t{placed.top} + placed.height};
  const auto distance = [&](const WorkArea& a) {
    const double dx = static_cast<double>(Gap(across, {a.left, a.right}));
    const double dy = static_cast<double>(Gap(down, {a.top, a.bottom}));
    return dx * dx + dy * dy;
  };
  const WorkArea& nearest = *std::min_element(
      workAreas.begin(), workAreas.end(),
      [&](const WorkArea& a, const WorkArea& b) { return distance(a) < distance(b); });
  placed.left =
      static_cast<int>(ClampStart(placed.left, placed.width, nearest.left, nearest.right));
  placed.top = static_cast<int>(ClampStart(placed.top, placed.height, nearest.top, nearest.bottom));
  return placed;
}
