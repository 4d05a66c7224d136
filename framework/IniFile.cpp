// INI file wrapper; the number and quoting rules live in IniValue.
#include "framework/IniFile.h"

#include <windows.h>

#include "framework/Exceptions.h"
#include "framework/core/IniValue.h"
#include "framework/core/Text.h"
#include "framework/WideText.h"

namespace {
constexpr DWORD kBufferSize = kIniValueMaxLength + 1;
}

TIniFile::TIniFile(const std::string& fileName) : fileName_(AnsiToWide(fileName)) {}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
  // The system would take a bare name to mean a file in the Windows folder.
  if (fileName_.empty()) return defaultValue;
  wchar_t buffer[kBufferSize];
  const DWORD length = GetPrivateProfileStringW(
      AnsiToWide(section).c_str(), AnsiToWide(key).c_str(), AnsiToWide(defaultValue).c_str(),
      buffer, kBufferSize, fileName_.c_str());
  return WideToAnsi(std::wstring(buffer, length));
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
  if (fileName_.empty()) return;
  const std::wstring stored = AnsiToWide(QuoteIniValue(value));
  if (!WritePrivateProfileStringW(AnsiToWide(section).c_str(), AnsiToWide(key).c_str(),
                                  stored.c_str(), fileName_.c_str()))
    throw Exception(FormatText("Unable to write to %s", WideToAnsi(fileName_)));
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
