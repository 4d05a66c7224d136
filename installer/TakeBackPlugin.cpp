// A plugin of the setup (a DLL that makensis packs and the setup calls): a reinstall before the
// next logon or restart takes back the deletions the uninstaller of the copy it replaces left, by
// the same rules as the program's own start: only that copy's. The restart list belongs to every
// program, which the setup's own script language could only edit through the code page.
// It also makes the install folder, outside Program Files with the access Program Files has from
// the moment it exists, which the script language can do only by running icacls and reading its
// output. And it starts the installed program as the signed-in user, not with setup's rights.
//   TakeBack::PrepareFolder "<folder>" "<program>|<other file setup writes>|..."
//                                        (pushes "ok", "ok protected" when it changed an existing
//                                         folder's access, "refused <why>" having changed
//                                         nothing, or "failed <why>")
//   TakeBack::StartAsUser "<exe>" "<working folder>"   (pushes "ok", or why not)
//   TakeBack::RunOnceDeletes "<folder>\Tallowmere.exe"
//   TakeBack::RestartDeletes "<folder>\Tallowmere.exe"
#include <windows.h>
#include <aclapi.h>
#include <exdisp.h>
#include <sddl.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "framework/FileStream.h"
#include "framework/Owned.h"
#include "framework/WideText.h"
#include "install/Install.h"
#include "install/ProgramFolder.h"
#include "install/core/FolderAccess.h"
#include "install/core/InstallList.h"
#include "install/core/RunOnceCommands.h"

namespace {

// The setup's string stack, as its plugin interface defines it.
struct StackItem {
  StackItem* next;
  wchar_t text[1];
};

std::wstring Pop(StackItem** top) {
  StackItem* item = top ? *top : nullptr;
  if (!item) return L"";
  const GlobalMemory owner(item);
  *top = item->next;
  return item->text;
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

// Program Files' access: administrators and SYSTEM have full control, users read and run, the
// owner is the administrators (an owner may always rewrite the list), and nothing comes from the
// parent, where users may have been given more. Inherited by what is in the folder. An elevated
// administrator may name the administrators as owner without any privilege.
const wchar_t* const ProtectedAccess =
    L"O:BAD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";

struct Outcome {
  enum Kind { Ok, Refused, Failed } kind;
  std::wstring why;
};

// Wine keeps no access lists: it makes a descriptor up from the Unix file mode (owner: whoever
// runs it), so there is nothing there to judge.
bool IsWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// A path as given, or as GetFinalPathNameByHandleW gives it, without "\\?\" and a last backslash.
std::wstring Plain(std::wstring path) {
  if (path.compare(0, 4, L"\\\\?\\") == 0) path.erase(0, 4);
  while (path.size() > 3 && path.back() == L'\\') path.pop_back();
  return path;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  const std::wstring x = Plain(a), y = Plain(b);
  return CompareStringOrdinal(x.c_str(), static_cast<int>(x.size()), y.c_str(),
                              static_cast<int>(y.size()), TRUE) == CSTR_EQUAL;
}

// The folder itself, never what a link there points to.
HANDLE OpenFolder(const std::wstring& path, DWORD access) {
  return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING,
                     FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// Why setup must not go through this opened part of the path: a link, a file, or a place whose
// real path is not the one asked for (a link further up). "" when it is a plain folder.
std::wstring WhyNotPlain(HANDLE h, const std::wstring& path) {
  FILE_ATTRIBUTE_TAG_INFO info{};
  if (!GetFileInformationByHandleEx(h, FileAttributeTagInfo, &info, sizeof info))
    return path + L" cannot be read";
  if (info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return path + L" is a link";
  if (!(info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return path + L" is not a folder";
  wchar_t real[MAX_PATH * 4] = {};
  const DWORD n = GetFinalPathNameByHandleW(h, real, MAX_PATH * 4, 0);
  if (n == 0 || n >= MAX_PATH * 4 || !SamePath(real, path)) return path + L" leads elsewhere";
  return L"";
}

std::vector<std::wstring> ProgramFilesFolders() {
  std::vector<std::wstring> folders;
  for (const wchar_t* name : {L"ProgramFilesDir", L"ProgramFilesDir (x86)"}) {
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion", name,
                     RRF_RT_REG_SZ, nullptr, value, &size) == ERROR_SUCCESS)
      folders.push_back(RealPath(value));
  }
  return folders;
}

bool IsProgramFilesFolder(const std::wstring& path) {
  const std::wstring real = RealPath(path);
  for (const std::wstring& folder : ProgramFilesFolders())
    if (!real.empty() && !folder.empty() && SamePath(real, folder)) return true;
  return false;
}

static_assert(RightsToMoveAFolder ==
              (DELETE | FILE_DELETE_CHILD | WRITE_DAC | WRITE_OWNER | GENERIC_ALL));

Trustee TrusteeOf(PSID sid) {
  if (IsWellKnownSid(sid, WinBuiltinAdministratorsSid)) return Trustee::Administrators;
  if (IsWellKnownSid(sid, WinLocalSystemSid)) return Trustee::System;
  if (IsWellKnownSid(sid, WinCreatorOwnerSid)) return Trustee::CreatorOwner;
  PSID installer = nullptr;  // TrustedInstaller, which owns the system's own folders
  if (!ConvertStringSidToSidW(L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464",
                              &installer))
    return Trustee::Other;
  const LocalMemory owner(installer);
  return EqualSid(sid, installer) ? Trustee::TrustedInstaller : Trustee::Other;
}

// A folder above the install folder (and an existing install folder) must be one no user can
// take the install folder out of (JudgeFolderAccess).
std::wstring WhyNotAdministratorsOnly(HANDLE h, const std::wstring& path) {
  if (IsWine()) return L"";
  PSID owner = nullptr;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetSecurityInfo(h, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                      &owner, nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS)
    return L"the access of " + path + L" cannot be read";
  const LocalMemory descriptorMemory(descriptor);
  FolderSecurity security{owner ? TrusteeOf(owner) : Trustee::Other, dacl != nullptr, {}};
  for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
    ACE_HEADER* header = nullptr;
    if (!GetAce(dacl, i, reinterpret_cast<void**>(&header))) continue;
    // Only a plain allowing entry has its SID where ACCESS_ALLOWED_ACE says. Denying and auditing
    // entries grant nothing; another kind of allowing entry (conditional, object) is not read and
    // counts as granting everything to a user.
    const bool inheritOnly = (header->AceFlags & INHERIT_ONLY_ACE) != 0;
    switch (header->AceType) {
      case ACCESS_ALLOWED_ACE_TYPE: {
        auto* ace = reinterpret_cast<ACCESS_ALLOWED_ACE*>(header);
        security.entries.push_back({TrusteeOf(&ace->SidStart), true, inheritOnly, ace->Mask});
        break;
      }
      case ACCESS_ALLOWED_COMPOUND_ACE_TYPE:
      case ACCESS_ALLOWED_OBJECT_ACE_TYPE:
      case ACCESS_ALLOWED_CALLBACK_ACE_TYPE:
      case ACCESS_ALLOWED_CALLBACK_OBJECT_ACE_TYPE:
        security.entries.push_back({Trustee::Other, true, inheritOnly, GENERIC_ALL});
        break;
    }
  }
  switch (JudgeFolderAccess(security)) {
    case FolderAccessFault::None: return L"";
    case FolderAccessFault::OwnerNotAdministrator:
      return path + L" belongs to a user who is not an administrator";
    case FolderAccessFault::NoAccessList: return path + L" lets everyone change it";
    case FolderAccessFault::OthersMayMove: break;
  }
  return path + L" lets users who are not administrators rename it or what is in it";
}

// Switches on what lets an administrator open a folder whose access shuts the administrators
// out, for as long as it lives, and restores the token's earlier state.
class OwnershipPrivileges {
 public:
  OwnershipPrivileges() {
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token_.Out()))
      return;
    struct {
      DWORD count;
      LUID_AND_ATTRIBUTES privileges[2];
    } wanted{2, {{{0, 0}, SE_PRIVILEGE_ENABLED}, {{0, 0}, SE_PRIVILEGE_ENABLED}}};
    if (!LookupPrivilegeValueW(nullptr, L"SeTakeOwnershipPrivilege", &wanted.privileges[0].Luid) ||
        !LookupPrivilegeValueW(nullptr, L"SeRestorePrivilege", &wanted.privileges[1].Luid))
      return;
    DWORD size = sizeof previous_;
    adjusted_ = AdjustTokenPrivileges(
        token_.Get(), FALSE, reinterpret_cast<TOKEN_PRIVILEGES*>(&wanted), sizeof previous_,
        reinterpret_cast<TOKEN_PRIVILEGES*>(&previous_), &size);
  }
  ~OwnershipPrivileges() {
    if (adjusted_)
      AdjustTokenPrivileges(token_.Get(), FALSE, reinterpret_cast<TOKEN_PRIVILEGES*>(&previous_), 0,
                            nullptr, nullptr);
  }
  OwnershipPrivileges(const OwnershipPrivileges&) = delete;
  OwnershipPrivileges& operator=(const OwnershipPrivileges&) = delete;

 private:
  KernelHandle token_;
  BOOL adjusted_ = FALSE;
  struct {
    DWORD count;
    LUID_AND_ATTRIBUTES privileges[2];
  } previous_{};
};

// Empty but for what an uninstall of the copy here left for the next logon (which setup deletes).
bool FolderIsEmpty(const std::wstring& path) {
  WIN32_FIND_DATAW found;
  FindHandle find(FindFirstFileW((path + L"\\*").c_str(), &found));
  if (!find.Valid()) return false;
  do {
    if (lstrcmpW(found.cFileName, L".") != 0 && lstrcmpW(found.cFileName, L"..") != 0 &&
        !((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
          IsRetiredExecutableName(WideToAnsi(found.cFileName))))
      return false;
  } while (FindNextFileW(find.Get(), &found));
  return true;
}

bool IsPlainFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
}

// The names setup writes, the program first, as the script passes them: "a|b|c".
std::vector<std::string> SplitNames(const std::wstring& text) {
  std::vector<std::string> names;
  for (size_t start = 0;;) {
    const size_t end = text.find(L'|', start);
    names.push_back(WideToAnsi(text.substr(start, end == std::wstring::npos ? end : end - start)));
    if (end == std::wstring::npos) return names;
    start = end + 1;
  }
}

// Setup's own earlier install: the folder its entry names, or one whose install.txt lists only
// files setup writes, with the program beside it. Any other install.txt (a portable copy's,
// another program's) is someone else's.
bool IsEarlierInstall(const std::wstring& path, const std::vector<std::string>& setupFiles) {
  wchar_t location[MAX_PATH * 4] = {};
  DWORD size = sizeof location;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, AnsiToWide(UninstallEntryKey).c_str(), L"InstallLocation",
                   RRF_RT_REG_SZ, nullptr, location, &size) == ERROR_SUCCESS &&
      location[0] && SamePath(location, path))
    return true;
  const std::wstring list = path + L"\\install.txt";
  if (!IsPlainFile(list) || !IsPlainFile(path + L"\\" + AnsiToWide(setupFiles.front())))
    return false;
  try {
    return ListsOnly(ReadWholeFile(list), setupFiles);
  } catch (const std::exception&) {
    return false;
  }
}

// Sets the protected access on an existing folder through the handle that was checked.
DWORD ProtectOpened(const std::wstring& path, PSECURITY_DESCRIPTOR descriptor) {
  const DWORD access = READ_CONTROL | WRITE_DAC | WRITE_OWNER | FILE_READ_ATTRIBUTES;
  FileHandle h(OpenFolder(path, access));
  if (!h.Valid() && GetLastError() == ERROR_ACCESS_DENIED) {
    const OwnershipPrivileges privileges;
    h.Reset(OpenFolder(path, access));
  }
  if (!h.Valid()) return GetLastError();
  if (!WhyNotPlain(h.Get(), path).empty()) return ERROR_CANT_ACCESS_FILE;
  BOOL present = FALSE, defaulted = FALSE;
  PACL dacl = nullptr;
  PSID owner = nullptr;
  GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted);
  GetSecurityDescriptorOwner(descriptor, &owner, &defaulted);
  return SetSecurityInfo(
      h.Get(), SE_FILE_OBJECT,
      OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
      owner, nullptr, dacl, nullptr);
}

// Checks every existing part of the path, then makes the missing folders: the first with the
// protected access from the start (never a moment with the access inherited from C:\, which lets
// every user change it), the others inheriting it. An existing install folder is taken only when
// it is empty or holds an earlier install; it is then protected.
Outcome PrepareFolder(const std::wstring& folder, const std::vector<std::string>& setupFiles) {
  const std::wstring path = Plain(folder);
  if (path.size() == 3 && path[1] == L':' && path[2] == L'\\')
    return {Outcome::Refused, L"it is a whole drive"};
  if (path.size() < 4 || path[1] != L':' || path[2] != L'\\')
    return {Outcome::Refused, L"it is not a folder on a drive of this computer"};
  std::vector<std::wstring> parts;  // C:\, C:\A, C:\A\B ... up to the install folder
  parts.push_back(path.substr(0, 3));
  for (size_t at = path.find(L'\\', 3);; at = path.find(L'\\', at + 1)) {
    parts.push_back(at == std::wstring::npos ? path : path.substr(0, at));
    if (at == std::wstring::npos) break;
  }
  size_t existing = 0;  // how many parts exist
  FileHandle nearest;
  for (; existing < parts.size(); ++existing) {
    FileHandle h(OpenFolder(parts[existing], FILE_READ_ATTRIBUTES | READ_CONTROL));
    if (!h.Valid()) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) break;
      return {Outcome::Refused, parts[existing] + L" cannot be opened"};
    }
    if (const std::wstring why = WhyNotPlain(h.Get(), parts[existing]); !why.empty())
      return {Outcome::Refused, why};
    // Every folder above: one that users may rename could be swapped for a tree of theirs.
    if (existing + 1 < parts.size())
      if (const std::wstring why = WhyNotAdministratorsOnly(h.Get(), parts[existing]); !why.empty())
        return {Outcome::Refused, why};
    nearest = std::move(h);
  }
  if (existing == 0) return {Outcome::Refused, L"the drive cannot be opened"};
  const bool exists = existing == parts.size();
  if (exists && IsProgramFilesFolder(path))
    return {Outcome::Refused, L"it is a Program Files folder itself"};
  if (exists && !FolderIsEmpty(path) && !IsEarlierInstall(path, setupFiles))
    return {Outcome::Refused, L"it holds other files, whose access setup would change"};
  // A folder that users could rename until now may be renamed later through a handle they kept.
  if (exists)
    if (const std::wstring why = WhyNotAdministratorsOnly(nearest.Get(), path); !why.empty())
      return {Outcome::Refused, why + L" (setup protects a folder it makes itself)"};
  // Inside Program Files too: a folder there may pass on to what is made in it more than it allows
  // itself (an inherit-only entry for users), which the check above cannot see.
  DWORD volume = 0;
  if (!GetVolumeInformationByHandleW(nearest.Get(), nullptr, 0, nullptr, nullptr, &volume, nullptr,
                                     0))
    return {Outcome::Refused, L"its drive cannot be read"};
  if (!(volume & FILE_PERSISTENT_ACLS))
    return {
        Outcome::Refused,
        L"its drive keeps no access rights (as FAT does), so any user could replace the program"};

  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(ProtectedAccess, SDDL_REVISION_1,
                                                            &descriptor, nullptr))
    return {Outcome::Refused, L"error " + std::to_wstring(GetLastError())};
  const LocalMemory descriptorMemory(descriptor);
  Outcome outcome{Outcome::Ok, L""};
  if (exists) {
    const DWORD error = ProtectOpened(path, descriptor);
    if (error != ERROR_SUCCESS)
      outcome = {Outcome::Failed, L"its access cannot be set (error " + std::to_wstring(error) +
                                      L") and may have changed in part"};
    else
      outcome.why = L"protected";
  } else {
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    for (size_t i = existing; i < parts.size(); ++i)
      if (!CreateDirectoryW(parts[i].c_str(), i == existing ? &attributes : nullptr)) {
        const DWORD error = GetLastError();
        bool removed = true;
        for (size_t j = i; j-- > existing;) removed = RemoveDirectoryW(parts[j].c_str()) && removed;
        outcome = {removed ? Outcome::Refused : Outcome::Failed,
                   parts[i] + L" cannot be made (error " + std::to_wstring(error) + L")" +
                       (removed ? L"" : L", and the folders made before it stay")};
        break;
      }
  }
  return outcome;
}

// A text argument for a dispatch call.
struct TextVariant {
  explicit TextVariant(const std::wstring& text) {
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(text.c_str());
  }
  ~TextVariant() { VariantClear(&v); }
  VARIANT v;
};

// Asks the desktop's shell (Explorer, running as the signed-in user with that user's ordinary
// rights) to start the program: it then runs as that user, unelevated, even when setup was
// elevated with another account's password. The route is the shell's own automation interface, the
// documented way to reach the desktop's ShellExecute from outside.
HRESULT StartThroughDesktopShell(const std::wstring& exe, const std::wstring& folder) {
  ComObject<IShellWindows> windows;
  HRESULT hr = CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                windows.OutVoid());
  if (FAILED(hr)) return hr;
  VARIANT desktop, empty;
  VariantInit(&desktop);
  VariantInit(&empty);
  desktop.vt = VT_I4;
  desktop.lVal = CSIDL_DESKTOP;
  long window = 0;
  ComObject<IDispatch> found;
  hr =
      windows->FindWindowSW(&desktop, &empty, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, found.Out());
  if (hr != S_OK) return FAILED(hr) ? hr : E_FAIL;
  ComObject<IServiceProvider> provider;
  ComObject<IShellBrowser> browser;
  ComObject<IShellView> view;
  ComObject<IDispatch> background, application;
  ComObject<IShellFolderViewDual> folderView;
  ComObject<IShellDispatch2> shell;
  if (FAILED(hr = found->QueryInterface(IID_IServiceProvider, provider.OutVoid())) ||
      FAILED(hr = provider->QueryService(SID_STopLevelBrowser, IID_IShellBrowser,
                                         browser.OutVoid())) ||
      FAILED(hr = browser->QueryActiveShellView(view.Out())) ||
      FAILED(hr = view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.OutVoid())) ||
      FAILED(hr = background->QueryInterface(IID_IShellFolderViewDual, folderView.OutVoid())) ||
      FAILED(hr = folderView->get_Application(application.Out())) ||
      FAILED(hr = application->QueryInterface(IID_IShellDispatch2, shell.OutVoid())))
    return hr;
  BSTR file = SysAllocString(exe.c_str());
  const TextVariant arguments(L""), directory(folder), operation(L"open");
  VARIANT show;
  VariantInit(&show);
  show.vt = VT_I4;
  show.lVal = SW_SHOWNORMAL;
  hr = shell->ShellExecute(file, arguments.v, directory.v, operation.v, show);
  SysFreeString(file);
  return hr;
}

}  // namespace

extern "C" __declspec(dllexport) void __cdecl StartAsUser(HWND, int size, wchar_t*, StackItem** top,
                                                          void*) {
  const std::wstring exe = Pop(top), folder = Pop(top);
  HRESULT hr = E_FAIL;
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  try {
    hr = StartThroughDesktopShell(exe, folder);
  } catch (...) {
    hr = E_UNEXPECTED;  // nothing may escape into the setup
  }
  if (SUCCEEDED(com)) CoUninitialize();
  Push(top, size,
       SUCCEEDED(hr) ? L"ok" : L"error " + std::to_wstring(static_cast<unsigned long>(hr)));
}

extern "C" __declspec(dllexport) void __cdecl PrepareFolder(HWND, int size, wchar_t*,
                                                            StackItem** top, void*) {
  const std::wstring folder = Pop(top), files = Pop(top);
  try {
    const Outcome outcome = PrepareFolder(folder, SplitNames(files));
    Push(top, size,
         outcome.kind == Outcome::Ok        ? (outcome.why.empty() ? L"ok" : L"ok " + outcome.why)
         : outcome.kind == Outcome::Refused ? L"refused " + outcome.why
                                            : L"failed " + outcome.why);
  } catch (...) {
    Push(top, size, L"failed an unexpected error");
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
