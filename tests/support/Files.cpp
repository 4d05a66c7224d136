// Whole-file writing and reading and the settings path for the tests; see Files.h.
#include "tests/support/Files.h"

#include <windows.h>

#include <fstream>
#include <sstream>

#include "framework/Owned.h"
#include "framework/core/Product.h"

namespace {
bool WriteAll(HANDLE raw, const std::string& text) {
  const FileHandle file(raw);
  DWORD written = 0;
  return file.Valid() &&
         WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}
}  // namespace

std::string FileBytes(const std::string& path, const std::string& ifMissing) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return ifMissing;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool WriteFileText(const std::string& path, const std::string& text) {
  return WriteAll(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr),
                  text);
}

bool WriteFileText(const std::wstring& path, const std::string& text) {
  return WriteAll(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr),
                  text);
}

std::string SettingsFolderPath() {
  char folder[MAX_PATH] = "";
  ExpandEnvironmentStringsA("%APPDATA%\\" TALLOWMERE_SETTINGS_FOLDER "\\", folder, MAX_PATH);
  return folder;
}

std::string SettingsFilePath() { return SettingsFolderPath() + TALLOWMERE_SETTINGS_FILE; }
