// Test helper: registry values and keys put back as they were.
#include "tests/support/KeptRegistry.h"

#include <algorithm>
#include <utility>

#include "framework/Owned.h"
#include "tests/support/AnsiText.h"

struct RegistryKeyCopy {
  struct Value {
    std::wstring name;
    DWORD type;
    std::vector<BYTE> data;
  };
  std::vector<Value> values;
  std::vector<std::pair<std::wstring, RegistryKeyCopy>> keys;
};

namespace {

// The value's type and bytes as stored; false when it is not there.
bool ReadValue(HKEY key, const std::wstring& name, DWORD& type, std::vector<BYTE>& data) {
  DWORD size = 0;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return false;
  data.resize(size);
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
    return false;
  data.resize(size);
  return true;
}

void WriteValue(HKEY root, const std::wstring& key, const std::wstring& name, DWORD type,
                const void* data, DWORD size) {
  KeyHandle k;
  if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, k.Out(), nullptr) !=
      ERROR_SUCCESS)
    return;
  RegSetValueExW(k.Get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
}

RegistryKeyCopy Copy(HKEY key) {
  RegistryKeyCopy copy;
  DWORD keyLength = 0, nameLength = 0;
  RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, &keyLength, nullptr, nullptr,
                   &nameLength, nullptr, nullptr, nullptr);
  std::wstring name(std::max(keyLength, nameLength) + 1, L'\0');
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(name.size());
    if (RegEnumValueW(key, i, &name[0], &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    RegistryKeyCopy::Value value{name.substr(0, length), 0, {}};
    if (ReadValue(key, value.name, value.type, value.data)) copy.values.push_back(value);
  }
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(name.size());
    if (RegEnumKeyExW(key, i, &name[0], &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    KeyHandle sub;
    if (RegOpenKeyExW(key, name.substr(0, length).c_str(), 0, KEY_READ, sub.Out()) != ERROR_SUCCESS)
      continue;
    copy.keys.emplace_back(name.substr(0, length), Copy(sub.Get()));
  }
  return copy;
}

void Write(HKEY root, const std::wstring& key, const RegistryKeyCopy& copy) {
  KeyHandle k;
  if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, k.Out(),
                      nullptr) != ERROR_SUCCESS)
    return;
  for (const auto& value : copy.values)
    RegSetValueExW(k.Get(), value.name.c_str(), 0, value.type, value.data.data(),
                   static_cast<DWORD>(value.data.size()));
  for (const auto& sub : copy.keys) Write(k.Get(), sub.first, sub.second);
}

}  // namespace

KeptRegistryValue::KeptRegistryValue(HKEY root, const std::string& key, const std::string& name)
    : root_(root), key_(Widen(key)), name_(Widen(name)) {
  KeyHandle k;
  if (RegOpenKeyExW(root_, key_.c_str(), 0, KEY_QUERY_VALUE, k.Out()) != ERROR_SUCCESS) return;
  had_ = ReadValue(k.Get(), name_, type_, data_);
}

KeptRegistryValue::~KeptRegistryValue() {
  if (had_)
    Set(type_, data_.data(), static_cast<DWORD>(data_.size()));
  else
    Remove();
}

void KeptRegistryValue::Set(DWORD type, const void* data, DWORD size) const {
  WriteValue(root_, key_, name_, type, data, size);
}

void KeptRegistryValue::SetText(const std::wstring& text, DWORD type) const {
  Set(type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void KeptRegistryValue::Remove() const { RegDeleteKeyValueW(root_, key_.c_str(), name_.c_str()); }

KeptRegistryKey::KeptRegistryKey(HKEY root, const std::string& key)
    : root_(root), key_(Widen(key)) {
  KeyHandle k;
  if (RegOpenKeyExW(root_, key_.c_str(), 0, KEY_READ, k.Out()) != ERROR_SUCCESS) return;
  kept_ = std::make_unique<RegistryKeyCopy>(Copy(k.Get()));
}

KeptRegistryKey::~KeptRegistryKey() {
  Remove();
  if (kept_) Write(root_, key_, *kept_);
}

void KeptRegistryKey::Remove() const { RegDeleteTreeW(root_, key_.c_str()); }
