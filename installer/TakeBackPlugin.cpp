// A plugin of the setup (a DLL that makensis packs and the setup calls): a reinstall before the
// next logon or restart takes back the deletions the uninstaller of the copy it replaces left, by
// the same rules as the program's own start: only that copy's. The restart list belongs to every
// program, which the setup's own script language could only edit through the code page.
// It also gives a folder outside Program Files the access Program Files has, which the script
// language can do only by running icacls and reading its output.
//   TakeBack::ProtectFolder "<folder>"   (pushes "ok", or why not)
//   TakeBack::RunOnceDeletes "<folder>\Tallowmere.exe"
//   TakeBack::RestartDeletes "<folder>\Tallowmere.exe"
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

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

void Push(StackItem** top, int size, const std::wstring& text) {
  if (!top || size <= 0) return;
  auto* item = static_cast<StackItem*>(
      GlobalAlloc(GPTR, sizeof(StackItem) + static_cast<size_t>(size) * sizeof(wchar_t)));
  if (!item) return;
  lstrcpynW(item->text, text.c_str(), size);
  item->next = *top;
  *top = item;
}

// Setup runs elevated; an administrator may take ownership once the privilege is switched on.
void EnablePrivilege(const wchar_t* name) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) return;
  TOKEN_PRIVILEGES privileges{1, {{{0, 0}, SE_PRIVILEGE_ENABLED}}};
  if (LookupPrivilegeValueW(nullptr, name, &privileges.Privileges[0].Luid))
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
  CloseHandle(token);
}

// Program Files' access: administrators and SYSTEM have full control, users read and run, the
// owner is the administrators (an owner may always rewrite the list), and nothing comes from the
// parent, where users may have been given more. Inherited by what is in the folder.
DWORD Protect(const std::wstring& folder) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(
          L"O:BAD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)", SDDL_REVISION_1,
          &descriptor, nullptr))
    return GetLastError();
  BOOL present = FALSE, defaulted = FALSE;
  PACL dacl = nullptr;
  PSID owner = nullptr;
  GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted);
  GetSecurityDescriptorOwner(descriptor, &owner, &defaulted);
  EnablePrivilege(L"SeTakeOwnershipPrivilege");
  EnablePrivilege(L"SeRestorePrivilege");
  const DWORD error = SetNamedSecurityInfoW(
      const_cast<wchar_t*>(folder.c_str()), SE_FILE_OBJECT,
      OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
      owner, nullptr, dacl, nullptr);
  LocalFree(descriptor);
  return error;
}

}  // namespace

extern "C" __declspec(dllexport) void __cdecl ProtectFolder(HWND, int size, wchar_t*,
                                                            StackItem** top, void*) {
  const std::wstring folder = Pop(top);
  try {
    // Inside Program Files the folder already has its access, inherited.
    const DWORD error = folder.empty()             ? ERROR_PATH_NOT_FOUND
                        : IsInProgramFiles(folder) ? ERROR_SUCCESS
                                                   : Protect(folder);
    Push(top, size, error == ERROR_SUCCESS ? L"ok" : L"error " + std::to_wstring(error));
  } catch (...) {
    Push(top, size, L"error");
  }
}

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
