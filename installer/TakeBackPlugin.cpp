// A plugin of the setup (a DLL that makensis packs and the setup calls): a reinstall before the
// next logon or restart takes back the deletions the uninstaller of the copy it replaces left, by
// the same rules as the program's own start: only that copy's. The restart list belongs to every
// program, which the setup's own script language could only edit through the code page.
//   TakeBack::RunOnceDeletes "<folder>\Tallowmere.exe"
//   TakeBack::RestartDeletes "<folder>\Tallowmere.exe"
#include <windows.h>

#include <string>

#include "install/Install.h"

namespace {

// The setup's string stack, as its plugin interface defines it.
struct StackItem {
  StackItem* next;
  wchar_t text[1];
};

std::wstring Pop(StackItem** top) {
  StackItem* item = top ? *top : nullptr;
  if (!item) return L"";
  std::wstring text = item->text;
  *top = item->next;
  GlobalFree(item);
  return text;
}

}  // namespace

extern "C" __declspec(dllexport) void __cdecl RestartDeletes(HWND, int, wchar_t*, StackItem** top,
                                                             void*) {
  const std::wstring exePath = Pop(top);
  if (exePath.empty()) return;
  try {
    TakeBackRestartDeletes(OwnRestartDeletes(exePath));
  } catch (...) {
    // The install itself has worked; nothing may escape into the setup.
  }
}

extern "C" __declspec(dllexport) void __cdecl RunOnceDeletes(HWND, int, wchar_t*, StackItem** top,
                                                             void*) {
  const std::wstring exePath = Pop(top);
  if (exePath.empty()) return;
  try {
    CancelOwnRunOnceDeletions(exePath);
  } catch (...) {
  }
}
