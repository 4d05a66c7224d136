// A plugin of the setup (a DLL that makensis packs and the setup calls): a reinstall before the
// next logon or restart takes back the deletions the uninstaller of the copy it replaces left, by
// the same rules as the program's own start: only that copy's. The restart list belongs to every
// program, which the setup's own script language could only edit through the code page.
// It also gives a folder outside Program Files the access Program Files has, which the script
// language can do only by running icacls and reading its output.
// And it starts the installed program as the
// signed-in user, not with setup's rights.
//   TakeBack::ProtectFolder "<folder>"   (pushes "ok", or why not)
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

// Holds one COM reference and releases it.
template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (p_) p_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T** Out() { return &p_; }
  void** OutVoid() { return reinterpret_cast<void**>(&p_); }
  T* operator->() const { return p_; }

 private:
  T* p_ = nullptr;
};

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
  ComRef<IShellWindows> windows;
  HRESULT hr = CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                windows.OutVoid());
  if (FAILED(hr)) return hr;
  VARIANT desktop, empty;
  VariantInit(&desktop);
  VariantInit(&empty);
  desktop.vt = VT_I4;
  desktop.lVal = CSIDL_DESKTOP;
  long window = 0;
  ComRef<IDispatch> found;
  hr =
      windows->FindWindowSW(&desktop, &empty, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, found.Out());
  if (hr != S_OK) return FAILED(hr) ? hr : E_FAIL;
  ComRef<IServiceProvider> provider;
  ComRef<IShellBrowser> browser;
  ComRef<IShellView> view;
  ComRef<IDispatch> background, application;
  ComRef<IShellFolderViewDual> folderView;
  ComRef<IShellDispatch2> shell;
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
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const HRESULT hr = StartThroughDesktopShell(exe, folder);
  if (SUCCEEDED(com)) CoUninitialize();
  Push(top, size,
       SUCCEEDED(hr) ? L"ok" : L"error " + std::to_wstring(static_cast<unsigned long>(hr)));
}

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
