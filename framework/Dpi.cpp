// The system's DPI answers; see Dpi.h.
#include "framework/Dpi.h"

#include "framework/LateBound.h"

int SystemDpi() {
  static const auto forSystem = LATE_BOUND("user32.dll", GetDpiForSystem);
  if (forSystem) return static_cast<int>(forSystem());
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int WindowDpi(HWND window) {
  static const auto forWindow = LATE_BOUND("user32.dll", GetDpiForWindow);
  const UINT dpi = forWindow && window ? forWindow(window) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : SystemDpi();
}
