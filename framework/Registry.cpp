// Registry key wrapper over the advapi32 functions (see Registry.h for its error contract): ANSI
// for the program's own values, UTF-16 for values that hold the system's paths.
#include "framework/Registry.h"

#include "framework/Exceptions.h"
#include "framework/core/Text.h"
#include "framework/WideText.h"

namespace {

// The registry answers with its error code instead of setting the last error: a failure is made
// the last error here, as the wrappers promise.
bool Succeeded(LONG result) {
  if (result != ERROR_SUCCESS) SetLastError(static_cast<DWORD>(result));
  return result == ERROR_SUCCESS;
}

}  // namespace

bool RegistryKey::Open(HKEY root, const std::string& path, REGSAM access) {
  Close();
  HKEY key = nullptr;
  if (!Succeeded(RegOpenKeyExA(root, path.c_str(), 0, access, &key))) return false;
  key_.Reset(key);
  return true;
}

bool RegistryKey::OpenOrCreate(HKEY root, const std::string& path) {
  Close();
  HKEY key = nullptr;
  if (!Succeeded(RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_ALL_ACCESS, nullptr, &key, nullptr)))
    return false;
  key_.Reset(key);
  return true;
}

void RegistryKey::Close() { key_.Close(); }

bool RegistryKey::ValueExists(const std::string& name) const {
  return IsOpen() && RegQueryValueExA(key_.Get(), name.c_str(), nullptr, nullptr, nullptr,
                                      nullptr) == ERROR_SUCCESS;
}

std::string RegistryKey::ReadString(const std::string& name) const {
  DWORD type = 0, size = 0;
  if (!IsOpen() ||
      RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      size == 0)
    return "";
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    throw Exception(FormatText("Invalid data type for '%s'", name));
  std::string data(size, '\0');
  if (RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data[0]),
                       &size) != ERROR_SUCCESS)
    throw Exception(FormatText("Failed to get data for '%s'", name));
  data.resize(size);
  return data.substr(0, data.find('\0'));
}

void RegistryKey::WriteString(const std::string& name, const std::string& data) const {
  if (!IsOpen() || RegSetValueExA(key_.Get(), name.c_str(), 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(data.c_str()),
                                  static_cast<DWORD>(data.size() + 1)) != ERROR_SUCCESS)
    throw Exception(FormatText("Failed to set data for '%s'", name));
}

std::wstring RegistryKey::ReadWideString(const std::string& name) const {
  const std::wstring wideName = AnsiToWide(name);
  DWORD type = 0, size = 0;
  if (!IsOpen() ||
      RegQueryValueExW(key_.Get(), wideName.c_str(), nullptr, &type, nullptr, &size) !=
          ERROR_SUCCESS ||
      size == 0)
    return L"";
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    throw Exception(FormatText("Invalid data type for '%s'", name));
  std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(key_.Get(), wideName.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(&data[0]), &size) != ERROR_SUCCESS)
    throw Exception(FormatText("Failed to get data for '%s'", name));
  data.resize(size / sizeof(wchar_t));
  return data.substr(0, data.find(L'\0'));
}

bool RegistryKey::TryReadMultiString(const std::string& name, std::wstring& data) const {
  data.clear();
  const std::wstring wideName = AnsiToWide(name);
  DWORD type = 0, size = 0;
  LONG result = IsOpen()
                    ? RegQueryValueExW(key_.Get(), wideName.c_str(), nullptr, &type, nullptr, &size)
                    : ERROR_INVALID_HANDLE;
  if (result == ERROR_SUCCESS && type != REG_MULTI_SZ) result = ERROR_INVALID_DATATYPE;
  // An odd byte count (a value written carelessly) keeps its whole characters.
  std::wstring read(size / sizeof(wchar_t) + 1, L'\0');
  if (result == ERROR_SUCCESS && size > 0)
    result = RegQueryValueExW(key_.Get(), wideName.c_str(), nullptr, nullptr,
                              reinterpret_cast<BYTE*>(&read[0]), &size);
  if (!Succeeded(result)) return false;
  read.resize(size / sizeof(wchar_t));
  data = std::move(read);
  return true;
}

bool RegistryKey::TryWriteMultiString(const std::string& name, const std::wstring& data) const {
  return Succeeded(IsOpen()
                       ? RegSetValueExW(key_.Get(), AnsiToWide(name).c_str(), 0, REG_MULTI_SZ,
                                        reinterpret_cast<const BYTE*>(data.c_str()),
                                        static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)))
                       : ERROR_INVALID_HANDLE);
}

bool RegistryKey::TryDeleteValue(const std::string& name) const {
  return Succeeded(IsOpen() ? RegDeleteValueA(key_.Get(), name.c_str()) : ERROR_INVALID_HANDLE);
}

bool RegistryKey::TryFlush() const {
  return Succeeded(IsOpen() ? RegFlushKey(key_.Get()) : ERROR_INVALID_HANDLE);
}

bool TryDeleteKeyTree(HKEY root, const std::string& path) {
  // With a sub-key name, RegDeleteTreeA removes that key itself as well.
  return Succeeded(RegDeleteTreeA(root, path.c_str()));
}
