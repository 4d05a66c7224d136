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

int SystemMetricForDpi(int index, int dpi) {
  static const auto forDpi = LATE_BOUND("user32.dll", GetSystemMetricsForDpi);
  if (forDpi) return forDpi(index, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi) {
  static const auto forDpi = LATE_BOUND("user32.dll", AdjustWindowRectExForDpi);
  if (forDpi)
    forDpi(&rect, style, menu, exStyle, static_cast<UINT>(dpi));
  else
    AdjustWindowRectEx(&rect, style, menu, exStyle);
}
