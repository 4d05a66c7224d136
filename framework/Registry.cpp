// Registry key wrapper over the advapi32 ...A functions.
#include "framework/Registry.h"

#include "framework/Exceptions.h"
#include "framework/Text.h"

bool RegistryKey::Open(HKEY root, const std::string& path, REGSAM access) {
  Close();
  HKEY key = nullptr;
  const LONG result = RegOpenKeyExA(root, path.c_str(), 0, access, &key);
  // The registry answers with its error code instead of setting the last error.
  if (result != ERROR_SUCCESS) {
    SetLastError(static_cast<DWORD>(result));
    return false;
  }
  key_ = key;
  return true;
}

bool RegistryKey::OpenOrCreate(HKEY root, const std::string& path) {
  Close();
  HKEY key = nullptr;
  const LONG result = RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (result != ERROR_SUCCESS) {
    SetLastError(static_cast<DWORD>(result));
    return false;
  }
  key_ = key;
  return true;
}

void RegistryKey::Close() {
  if (key_) RegCloseKey(key_);
  key_ = nullptr;
}

bool RegistryKey::ValueExists(const std::string& name) const {
  return key_ &&
         RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::string RegistryKey::ReadString(const std::string& name) const {
  DWORD type = 0, size = 0;
  if (!key_ ||
      RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      size == 0)
    return "";
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    throw Exception(FormatText("Invalid data type for '%s'", name));
  std::string data(size, '\0');
  if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data[0]),
                       &size) != ERROR_SUCCESS)
    throw Exception(FormatText("Failed to get data for '%s'", name));
  data.resize(size);
  return data.substr(0, data.find('\0'));
}

void RegistryKey::WriteString(const std::string& name, const std::string& data) const {
  if (!key_ ||
      RegSetValueExA(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                     static_cast<DWORD>(data.size() + 1)) != ERROR_SUCCESS)
    throw Exception(FormatText("Failed to set data for '%s'", name));
}

std::string RegistryKey::ReadMultiString(const std::string& name) const {
  DWORD type = 0, size = 0;
  if (!key_ ||
      RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != REG_MULTI_SZ)
    return "";
  std::string data(size, '\0');
  if (size > 0 && RegQueryValueExA(key_, name.c_str(), nullptr, nullptr,
                                   reinterpret_cast<BYTE*>(&data[0]), &size) != ERROR_SUCCESS)
    return "";
  data.resize(size);
  return data;
}

bool RegistryKey::WriteMultiString(const std::string& name, const std::string& data) const {
  return key_ && RegSetValueExA(key_, name.c_str(), 0, REG_MULTI_SZ,
                                reinterpret_cast<const BYTE*>(data.c_str()),
                                static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
}

bool RegistryKey::DeleteValue(const std::string& name) const {
  return key_ && RegDeleteValueA(key_, name.c_str()) == ERROR_SUCCESS;
}

bool RegistryKey::Flush() const { return key_ && RegFlushKey(key_) == ERROR_SUCCESS; }

bool DeleteKeyTree(HKEY root, const std::string& path) {
  // With a sub-key name, RegDeleteTreeA removes that key itself as well.
  return RegDeleteTreeA(root, path.c_str()) == ERROR_SUCCESS;
}
