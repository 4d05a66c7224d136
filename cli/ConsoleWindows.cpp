// Standard output and error on Windows. The generator works in the ANSI code page; a console gets
// the text through its Unicode call, a pipe or file as UTF-8 without a byte order mark.
#include <windows.h>

#include "cli/Console.h"
#include "generator/WipeBytes.h"

namespace {
// Overwrites a converted copy, which may hold passwords.
template <class Text>
struct WipedText {
  Text text;
  ~WipedText() { WipeToCapacity(text); }
};

void ToWide(UINT codePage, const std::string& text, std::wstring& wide) {
  wide.clear();
  if (text.empty()) return;
  const int size = static_cast<int>(text.size());
  wide.resize(static_cast<size_t>(MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0)));
  if (!wide.empty())
    MultiByteToWideChar(codePage, 0, text.data(), size, &wide[0], static_cast<int>(wide.size()));
}

// To `codePage`; false when a character has no exact spelling there.
bool FromWide(UINT codePage, const wchar_t* wide, int size, std::string& text) {
  text.clear();
  if (size == 0) return true;
  // UTF-8 spells everything and takes neither flag.
  const bool exact = codePage != CP_UTF8;
  BOOL usedDefault = FALSE;
  BOOL* used = exact ? &usedDefault : nullptr;
  const DWORD flags = exact ? WC_NO_BEST_FIT_CHARS : 0;
  const int n = WideCharToMultiByte(codePage, flags, wide, size, nullptr, 0, nullptr, used);
  text.resize(static_cast<size_t>(n));
  if (n > 0) WideCharToMultiByte(codePage, flags, wide, size, &text[0], n, nullptr, used);
  return n > 0 && !usedDefault;
}

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return GetConsoleMode(handle, &mode) != FALSE;
}

bool WriteWide(HANDLE handle, const std::wstring& wide) {
  // A console takes a bounded amount a call on older systems.
  for (size_t at = 0; at < wide.size();) {
    DWORD written = 0;
    DWORD n = static_cast<DWORD>(std::min<size_t>(wide.size() - at, 8192));
    if (n > 1 && at + n < wide.size() && IS_HIGH_SURROGATE(wide[at + n - 1])) --n;  // kept whole
    if (!WriteConsoleW(handle, wide.data() + at, n, &written, nullptr) || written == 0)
      return false;
    at += written;
  }
  return true;
}

bool WriteBytes(HANDLE handle, const std::string& bytes) {
  for (size_t at = 0; at < bytes.size();) {
    DWORD written = 0;
    const DWORD n = static_cast<DWORD>(std::min<size_t>(bytes.size() - at, 1 << 20));
    if (!WriteFile(handle, bytes.data() + at, n, &written, nullptr) || written == 0) return false;
    at += written;
  }
  return true;
}

// `wide` to the handle: a console as it stands, anything else as UTF-8.
bool Write(HANDLE handle, const std::wstring& wide) {
  if (IsConsole(handle)) return WriteWide(handle, wide);
  WipedText<std::string> utf8;
  FromWide(CP_UTF8, wide.data(), static_cast<int>(wide.size()), utf8.text);
  return WriteBytes(handle, utf8.text);
}

class WindowsConsole : public CliConsole {
 public:
  bool Out(const std::string& text) override {
    WipedText<std::wstring> wide;
    ToWide(CP_ACP, text, wide.text);
    return Write(GetStdHandle(STD_OUTPUT_HANDLE), wide.text);
  }
  void Error(const std::string& line) override {
    std::wstring wide;
    ToWide(CP_UTF8, line + "\r\n", wide);
    Write(GetStdHandle(STD_ERROR_HANDLE), wide);
  }
  const char* LineEnd() const override { return "\r\n"; }
};

size_t AnsiCharacterLength(const char* text, size_t left) {
  CPINFO info{};
  const size_t longest = GetCPInfo(CP_ACP, &info) ? info.MaxCharSize : 1;
  // The shortest prefix that converts without error is the whole character.
  for (size_t n = 1; n <= longest && n <= left; ++n)
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, static_cast<int>(n), nullptr, 0) >
        0)
      return n;
  return 0;
}

bool ToAnsi(const std::string& utf8, std::string& text, std::string& unspellable) {
  std::wstring wide;
  ToWide(CP_UTF8, utf8, wide);
  const UINT codePage = GetACP();
  if (FromWide(codePage, wide.data(), static_cast<int>(wide.size()), text)) return true;
  // Name the first character the code page lacks, a surrogate pair as one.
  for (size_t at = 0; at < wide.size();) {
    const int n = IS_HIGH_SURROGATE(wide[at]) && at + 1 < wide.size() ? 2 : 1;
    std::string one;
    if (!FromWide(codePage, wide.data() + at, n, one)) {
      FromWide(CP_UTF8, wide.data() + at, n, unspellable);
      return false;
    }
    at += static_cast<size_t>(n);
  }
  return false;
}

// bcrypt.dll by its full path in the system folder, before the generator's first call would let
// the delay-load helper search for it by name.
bool FillFromSystemFolder(unsigned char* data, size_t size) {
  static const bool loaded = [] {
    wchar_t folder[MAX_PATH] = {};
    const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return false;
    const std::wstring path = std::wstring(folder, n) + L"\\bcrypt.dll";
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH) != nullptr;
  }();
  return loaded && FillFromSystem(data, size);
}
}  // namespace

void PrepareProcess() {
  // As the window program does: every later library search in the system folder only. Looked up,
  // being missing before Windows 8 without its update; then at least the working folder leaves it.
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  const auto restrict = reinterpret_cast<SetDirectories>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (!restrict || !restrict(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
}

std::unique_ptr<CliConsole> OpenStandardConsole() { return std::make_unique<WindowsConsole>(); }

ToGeneratorText GeneratorTextConversion() { return ToAnsi; }

CharacterLength GeneratorCharacterLength() {
  CPINFO info{};
  if (!GetCPInfo(CP_ACP, &info) || info.MaxCharSize <= 1) return {};
  return AnsiCharacterLength;
}

FillRandomBytes SystemRandomBytes() { return FillFromSystemFolder; }
