// Libraries from the system folder only, also those the linker loads on their first call: the
// delay-load helper would otherwise search the executable's folder first, and its default answer to
// a library it cannot load is a crash.
#include "framework/SystemLibraries.h"

#include <delayimp.h>

#include <string>

#include "framework/Exceptions.h"
#include "framework/LateBound.h"
#include "framework/SystemError.h"

namespace {

bool searchRestricted = false;

std::string SystemFolder() {
  char folder[MAX_PATH] = {};
  const UINT n = GetSystemDirectoryA(folder, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::string(folder, n) : "";
}

[[noreturn]] void CannotLoad(const char* name, DWORD error) {
  throw Exception("Cannot load the system library " + std::string(name) + ". " +
                  SystemErrorDescription(error));
}

// Runs inside the delay-load helper, which unwinds cleanly: a C++ exception reaches the command
// that needed the library, and its message box says what is missing. (Visual Studio's build
// takes /EHs for it: with /EHsc, an exception through the helper's C code is undefined.)
FARPROC WINAPI DelayLoadHook(unsigned notice, PDelayLoadInfo info) {
  if (notice == dliNotePreLoadLibrary) {
    if (HMODULE module = LoadSystemLibrary(info->szDll)) return reinterpret_cast<FARPROC>(module);
    CannotLoad(info->szDll, GetLastError());
  }
  if (notice == dliFailLoadLib) CannotLoad(info->szDll, info->dwLastError);
  if (notice == dliFailGetProc) {
    const std::string function =
        info->dlp.fImportByName ? info->dlp.szProcName : "#" + std::to_string(info->dlp.dwOrdinal);
    throw Exception("The system library " + std::string(info->szDll) + " has no " + function +
                    ". " + SystemErrorDescription(info->dwLastError));
  }
  return nullptr;
}

}  // namespace

// The helper reads these two (declared extern "C" by its header); mingw's runtime has them
// writable, Visual C++'s const.
#ifdef _MSC_VER
#define TALLOWMERE_DELAY_HOOK const PfnDliHook
#else
#define TALLOWMERE_DELAY_HOOK PfnDliHook
#endif
TALLOWMERE_DELAY_HOOK __pfnDliNotifyHook2 = DelayLoadHook;
TALLOWMERE_DELAY_HOOK __pfnDliFailureHook2 = DelayLoadHook;

void RestrictLibrarySearch() {
  // Missing before Windows 8 without its update; looked up so that the program still starts there.
  if (const auto restrict = LATE_BOUND("kernel32.dll", SetDefaultDllDirectories))
    searchRestricted = restrict(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
  // Without it, at least the working folder leaves the search; the executable's folder stays in
  // it, which loading by full path (below) steps around.
  if (!searchRestricted) SetDllDirectoryW(L"");
}

HMODULE LoadSystemLibrary(const char* name) {
  const std::string folder = SystemFolder();
  if (folder.empty()) return nullptr;
  // The libraries it needs in turn are searched for beside it, in the system folder, rather than
  // beside the executable.
  return LoadLibraryExA((folder + "\\" + name).c_str(), nullptr,
                        searchRestricted ? 0 : LOAD_WITH_ALTERED_SEARCH_PATH);
}
