// The shell's "open" verb.
#include "shell/ShellOpen.h"

#include <shellapi.h>

#include "framework/Dialogs.h"
#include "framework/SystemError.h"

namespace {

// ShellExecute answers with small codes of its own; most are the system's error codes already,
// the rest are put in the system's terms so that the message can describe them.
unsigned long SystemCodeOf(INT_PTR result) {
  switch (result) {
    case 0: return ERROR_NOT_ENOUGH_MEMORY;
    case SE_ERR_SHARE: return ERROR_SHARING_VIOLATION;
    case SE_ERR_ASSOCINCOMPLETE:
    case SE_ERR_NOASSOC: return ERROR_NO_ASSOCIATION;
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDEBUSY: return ERROR_DDE_FAIL;
    case SE_ERR_DLLNOTFOUND: return ERROR_DLL_NOT_FOUND;
    default: return static_cast<unsigned long>(result);
  }
}

}  // namespace

void OpenWithShell(HWND owner, const std::string& target, const char* parameters) {
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(owner, "open", target.c_str(), parameters, nullptr, SW_SHOW));
  if (result > 32) return;
  ShowMessage("Cannot open \"" + target + "\".\r\n" + SystemErrorText(SystemCodeOf(result)));
}
