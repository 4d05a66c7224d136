// main() of every Windows test executable: DPI-aware per monitor as the program's manifest makes
// it, common controls ready, then GoogleTest.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "framework/LateBound.h"

namespace late {
BOOL WINAPI SetProcessDpiAwarenessContext(HANDLE context);
}  // namespace late

int main(int argc, char** argv) {
  const auto set = LATE_BOUND("user32.dll", SetProcessDpiAwarenessContext);
  if (!set || !set(reinterpret_cast<HANDLE>(-4)))  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
    SetProcessDPIAware();
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
