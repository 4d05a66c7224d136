// The system's DPI answers; see Dpi.h.
// This file alone sees the declarations of Windows 10's per-DPI functions, to type its look-ups
// by them; it calls them only where the system has them.
#undef WINVER
#undef _WIN32_WINNT
#define WINVER 0x0A00
#define _WIN32_WINNT 0x0A00
#include <windows.h>

#include "framework/Dpi.h"

namespace {

// The per-DPI functions of user32, each null where the system lacks it; looked up once.
struct DpiFunctions {
  decltype(&GetDpiForSystem) dpiForSystem;
  decltype(&GetDpiForWindow) dpiForWindow;
  decltype(&GetSystemMetricsForDpi) systemMetricsForDpi;
  decltype(&AdjustWindowRectExForDpi) adjustWindowRectExForDpi;
};

template <typename Function>
Function Find(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const DpiFunctions& User32() {
  static const DpiFunctions functions = [] {
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    DpiFunctions f{};
    f.dpiForSystem = Find<decltype(f.dpiForSystem)>(user32, "GetDpiForSystem");
    f.dpiForWindow = Find<decltype(f.dpiForWindow)>(user32, "GetDpiForWindow");
    f.systemMetricsForDpi = Find<decltype(f.systemMetricsForDpi)>(user32, "GetSystemMetricsForDpi");
    f.adjustWindowRectExForDpi =
        Find<decltype(f.adjustWindowRectExForDpi)>(user32, "AdjustWindowRectExForDpi");
    return f;
  }();
  return functions;
}

}  // namespace

int SystemDpi() {
  if (User32().dpiForSystem) return static_cast<int>(User32().dpiForSystem());
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int WindowDpi(HWND window) {
  const UINT dpi = User32().dpiForWindow && window ? User32().dpiForWindow(window) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : SystemDpi();
}

int SystemMetricForDpi(int index, int dpi) {
  if (User32().systemMetricsForDpi)
    return User32().systemMetricsForDpi(index, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi) {
  if (User32().adjustWindowRectExForDpi)
    User32().adjustWindowRectExForDpi(&rect, style, menu, exStyle, static_cast<UINT>(dpi));
  else
    AdjustWindowRectEx(&rect, style, menu, exStyle);
}
