// Test helper: a registry value, or a whole key, that one test replaces or removes and that is put
// back as it was when the test ends: the same type and bytes (sub-keys too), or gone again when it
// was not there. Read and written in UTF-16, so text the ANSI code page cannot spell comes back.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class KeptRegistryValue {
 public:
  KeptRegistryValue(HKEY root, const std::string& key, const std::string& name);
  ~KeptRegistryValue();
  KeptRegistryValue(const KeptRegistryValue&) = delete;
  KeptRegistryValue& operator=(const KeptRegistryValue&) = delete;

  // Replaces the value, creating the key when it is missing (a key made so stays afterwards).
  void Set(DWORD type, const void* data, DWORD size) const;
  // A REG_SZ or REG_EXPAND_SZ value of the text with its final zero; zeros inside it are kept.
  void SetText(const std::wstring& text, DWORD type = REG_SZ) const;
  void Remove() const;

 private:
  HKEY root_;
  std::wstring key_, name_;
  bool had_ = false;
  DWORD type_ = 0;
  std::vector<BYTE> data_;
};

struct RegistryKeyCopy;  // a key's values and sub-keys

class KeptRegistryKey {
 public:
  KeptRegistryKey(HKEY root, const std::string& key);
  ~KeptRegistryKey();
  KeptRegistryKey(const KeptRegistryKey&) = delete;
  KeptRegistryKey& operator=(const KeptRegistryKey&) = delete;

  // Removes the key with all it holds.
  void Remove() const;

 private:
  HKEY root_;
  std::wstring key_;
  std::unique_ptr<RegistryKeyCopy> kept_;  // none when the key was not there
};
