// INI file wrapper; the number and quoting rules live in IniValue.
#include "framework/IniFile.h"

#include <windows.h>

#include "framework/Exceptions.h"
#include "framework/IniValue.h"
#include "framework/Text.h"

namespace {
constexpr DWORD kBufferSize = kIniValueMaxLength + 1;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
  // The system would take a bare name to mean a file in the Windows folder.
  if (fileName_.empty()) return defaultValue;
  char buffer[kBufferSize];
  const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                                buffer, kBufferSize, fileName_.c_str());
  return std::string(buffer, length);
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
  if (fileName_.empty()) return;
  const std::string stored = QuoteIniValue(value);
  if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), stored.c_str(), fileName_.c_str()))
    throw Exception(FormatText("Unable to write to %s", fileName_));
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key,
                          int defaultValue) const {
  return IniTextToInt(ReadString(section, key, ""), defaultValue);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, IntToIniText(value));
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key,
                        bool defaultValue) const {
  return IniTextToBool(ReadString(section, key, ""), defaultValue);
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}
