// A registry key that closes itself.
//
// Error contract (as for every platform wrapper of the framework): a function named Open... or
// Try... answers false and leaves the system's error code as the last error; every other function
// raises the user-facing Exception with the system's text ("Invalid data type for '%s'", "Failed
// to get data for '%s'", "Failed to set data for '%s'"). A missing value is no failure: ReadString
// gives "" and ValueExists false.
#pragma once
#include <windows.h>

#include <string>

#include "framework/Owned.h"

class RegistryKey {
 public:
  RegistryKey() = default;
  ~RegistryKey() { Close(); }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  RegistryKey(RegistryKey&& other) noexcept = default;

  // Opens an existing key with the access the caller needs (KEY_READ to read); false when it
  // does not open: the key stays closed and the system's error code is the last error.
  bool Open(HKEY root, const std::string& path, REGSAM access);
  // Opens a key, creating a normal (non-volatile) one when missing, with full access; false as
  // Open.
  bool OpenOrCreate(HKEY root, const std::string& path);
  void Close();
  bool IsOpen() const { return key_.Valid(); }
  HKEY Handle() const { return key_.Get(); }

  bool ValueExists(const std::string& name) const;
  // The text of a REG_SZ or REG_EXPAND_SZ value as stored; "" when the value is missing or empty.
  std::string ReadString(const std::string& name) const;
  // Writes a REG_SZ value; raises "Failed to set data for '%s'" when that fails or the key is
  // closed.
  void WriteString(const std::string& name, const std::string& data) const;
  // ReadString in the system's own UTF-16, for paths the ANSI code page may not spell.
  std::wstring ReadWideString(const std::string& name) const;
  // A REG_MULTI_SZ value's UTF-16 characters as stored (each string ends in a zero); false when
  // it is missing, of another type or unreadable. Read wide, so that other programs' entries are
  // never changed by a round trip through the code page.
  bool TryReadMultiString(const std::string& name, std::wstring& data) const;
  // Writes a REG_MULTI_SZ value from those characters (the final zero is added); false on failure.
  bool TryWriteMultiString(const std::string& name, const std::wstring& data) const;
  bool TryDeleteValue(const std::string& name) const;
  // Writes the key's changes to disk now.
  bool TryFlush() const;

 private:
  KeyHandle key_;
};

// Deletes a key with all its sub-keys and values; false when that fails.
bool TryDeleteKeyTree(HKEY root, const std::string& path);
