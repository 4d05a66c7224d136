// Screen scaling. Layouts, sizes and fonts are stated for 96 DPI and scaled by the window's DPI in
// one place (TForm); these are the system's answers it scales by. Windows before 10 has no DPI
// per window: the per-DPI functions are looked up once, and without them the system's DPI stands
// in, its metrics are scaled from it and its frames are those of its own DPI (as it draws them).
#pragma once
#include <windows.h>

// The DPI of the monitor the window is on (as the window was told last), or the system's DPI.
int WindowDpi(HWND window);
// The DPI windows are created with before they know their monitor.
int SystemDpi();
// A length stated at 96 DPI, at `dpi`.
inline int ScaleForDpi(int length, int dpi) { return MulDiv(length, dpi, 96); }
// GetSystemMetrics for a window at `dpi`.
int SystemMetricForDpi(int index, int dpi);
// The outer rectangle of a client rectangle (AdjustWindowRectEx) for a window at `dpi`.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi);
