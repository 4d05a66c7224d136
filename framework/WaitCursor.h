// The wait cursor for as long as a command keeps the window busy without handling messages.
#pragma once
#include <windows.h>

class TWaitCursor {
 public:
  TWaitCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
  // Also when the command ends in an error, before its message is shown.
  ~TWaitCursor() { SetCursor(previous_); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;

 private:
  HCURSOR previous_;
};
