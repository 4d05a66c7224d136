// Functions of newer systems, looked up when first used so that the program still starts where
// they are missing. Each is declared here once, with the newer system's signature, and its type
// taken from that declaration: no call site casts a looked-up address.
#pragma once
#include <windows.h>

// Declared only for their types, never defined or called by these names. The tests and benchmarks
// add the ones only they look up to this namespace.
namespace late {
UINT WINAPI GetDpiForSystem();
UINT WINAPI GetDpiForWindow(HWND window);
int WINAPI GetSystemMetricsForDpi(int index, UINT dpi);
BOOL WINAPI AdjustWindowRectExForDpi(RECT* rect, DWORD style, BOOL menu, DWORD exStyle, UINT dpi);
BOOL WINAPI SetDefaultDllDirectories(DWORD directoryFlags);
}  // namespace late

// The function named in the module loaded already, typed as declared above; null where the system
// has none.
template <class Function>
Function* LateBoundIn(const char* module, const char* name) {
  const HMODULE loaded = GetModuleHandleA(module);
  return loaded ? reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(loaded, name)))
                : nullptr;
}

#define LATE_BOUND(module, function) LateBoundIn<decltype(late::function)>(module, #function)
