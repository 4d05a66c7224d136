// The tests' polling loop; see WaitUntil.h.
#include "tests/support/WaitUntil.h"

#include <windows.h>

bool WaitUntil(const std::function<bool()>& done, unsigned timeoutMs, unsigned stepMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start >= timeoutMs) return done();
    Sleep(stepMs);
  }
  return true;
}
