// Whole-file reading and the settings path for the tests; see Files.h.
#include "tests/support/Files.h"

#include <windows.h>

#include <fstream>
#include <sstream>

#include "framework/core/Product.h"

std::string FileBytes(const std::string& path, const std::string& ifMissing) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return ifMissing;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string SettingsFolderPath() {
  char folder[MAX_PATH] = "";
  ExpandEnvironmentStringsA("%APPDATA%\\" TALLOWMERE_SETTINGS_FOLDER "\\", folder, MAX_PATH);
  return folder;
}

std::string SettingsFilePath() { return SettingsFolderPath() + TALLOWMERE_SETTINGS_FILE; }
