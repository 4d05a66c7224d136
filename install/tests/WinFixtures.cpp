// Shared fixtures of the install tests.
#include "install/tests/WinFixtures.h"

#include <shlobj.h>

#include <algorithm>
#include <functional>

#include "framework/LateBound.h"
#include "framework/Owned.h"
#include "framework/Registry.h"
#include "framework/WideText.h"
#include "install/Install.h"
#include "install/core/RestartDeletes.h"
#include "tests/support/WaitUntil.h"

bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ShortPathOf(const std::string& path) {
  char buf[MAX_PATH] = {};
  const DWORD n = GetShortPathNameA(path.c_str(), buf, MAX_PATH);
  return std::string(buf, n < MAX_PATH ? n : 0);
}

std::vector<std::pair<std::string, std::string>> ValuesOf(const std::string& key) {
  std::vector<std::pair<std::string, std::string>> values;
  RegistryKey k;
  if (!k.Open(HKEY_LOCAL_MACHINE, key, KEY_READ)) return values;
  for (DWORD i = 0;; ++i) {
    char name[512];
    DWORD size = sizeof name;
    if (RegEnumValueA(k.Handle(), i, name, &size, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    values.emplace_back(name, k.ReadString(name));
  }
  return values;
}

void SetMachineValue(const std::string& key, const std::string& name, const std::string& data) {
  RegistryKey k;
  k.OpenOrCreate(HKEY_LOCAL_MACHINE, key);
  k.WriteString(name, data);
}

bool MakeShortcut(const std::string& link, const std::string& target) {
  CoInitialize(nullptr);
  bool saved = false;
  {
    ComObject<IShellLinkA> shell;
    ComObject<IPersistFile> file;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   shell.OutVoid())) &&
        SUCCEEDED(shell->SetPath(target.c_str())) &&
        SUCCEEDED(shell->QueryInterface(IID_IPersistFile, file.OutVoid())))
      saved = SUCCEEDED(file->Save(std::wstring(link.begin(), link.end()).c_str(), TRUE));
  }
  CoUninitialize();
  return saved;
}

bool MakeFolderLink(const std::string& link, const std::string& target) {
  CreateSymbolicLinkA(link.c_str(), target.c_str(),
                      SYMBOLIC_LINK_FLAG_DIRECTORY | 0x2 /* no privilege needed */);
  const DWORD attrs = GetFileAttributesA(link.c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_REPARSE_POINT);
}

namespace {

// Runs a Unix tool from the Wine side (Wine starts Unix executables as they are) and waits until
// `done` holds: the process handle Wine gives for a Unix program may be signalled before it ends.
bool RunUnix(const std::string& commandLine, const std::function<bool()>& done) {
  std::string line = commandLine;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const std::string tool = "Z:" + commandLine.substr(0, commandLine.find(' '));
  if (!CreateProcessA(tool.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return false;
  const KernelHandle owned(process.hProcess), thread(process.hThread);
  WaitForSingleObject(owned.Get(), 10000);
  return WaitUntil(done);
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

namespace late {
// Wine's own: a UTF-16 path's Unix name, on the process heap.
char* CDECL wine_get_unix_file_name(LPCWSTR path);
}  // namespace late

std::string UnixPathOf(const std::string& path) {
  const auto toUnix = LATE_BOUND("kernel32.dll", wine_get_unix_file_name);
  if (!toUnix) return "";
  std::wstring wide(path.size() + 1, L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
  char* unix = toUnix(wide.c_str());
  if (!unix) return "";
  std::string result = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

bool MakeFollowedFolderLink(const std::string& link, const std::string& target) {
  if (MakeFolderLink(link, target)) return true;
  const auto slash = link.find_last_of('\\');
  const std::string parent = UnixPathOf(link.substr(0, slash)), unixTarget = UnixPathOf(target);
  if (parent.empty() || unixTarget.empty()) return false;
  return RunUnix(
      "/bin/ln -s " + Quoted(unixTarget) + " " + Quoted(parent + "/" + link.substr(slash + 1)),
      [&] { return PathExists(link + "\\"); });
}

DriveRoot::DriveRoot(const std::string& folder) {
  const std::string driveC = UnixPathOf("C:\\"), unixFolder = UnixPathOf(folder);
  const auto at = driveC.rfind("/c:");
  if (unixFolder.empty() || at == std::string::npos) return;
  for (char letter = 'y'; letter > 'm'; --letter) {
    const std::string drive = std::string(1, letter) + ":";
    if (PathExists(drive + "\\")) continue;
    unixLink_ = driveC.substr(0, at + 1) + drive;
    if (RunUnix("/bin/ln -s " + Quoted(unixFolder) + " " + Quoted(unixLink_),
                [&] { return PathExists(drive + "\\"); }))
      letter_ = drive;
    return;
  }
}

DriveRoot::~DriveRoot() {
  if (!unixLink_.empty())
    RunUnix("/bin/rm -f " + Quoted(unixLink_), [this] { return !PathExists(letter_ + "\\"); });
}

bool MakeLongPathFile(const std::string& path) {
  std::wstring wide(path.size() + 1, L'\0');
  wide.resize(
      MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], static_cast<int>(wide.size())) -
      1);
  const std::wstring longPath = L"\\\\?\\" + wide;
  for (size_t at = longPath.find(L'\\', 7); at != std::wstring::npos;
       at = longPath.find(L'\\', at + 1))
    CreateDirectoryW(longPath.substr(0, at).c_str(), nullptr);
  return WriteFileText(longPath, "");
}

std::vector<std::string> TakePendingDeletes(const std::string& folder) {
  const std::wstring inside = AnsiToWide(folder + "\\");
  std::vector<std::string> taken;
  for (const std::wstring& path : TakeBackRestartDeletes([&](const std::wstring& p) {
         return SamePathText((p + L"\\").substr(0, inside.size()), inside);
       }))
    taken.push_back(WideToAnsi(path));
  return taken;
}
