// The settings file: a thin wrapper over the platform's private-profile (INI) functions.
//
// Error contract of the framework's platform wrappers: a function named Open... or Try... answers
// false and leaves the system's error code as the last error; every other function raises the
// user-facing Exception with the system's text.
#pragma once
#include <string>
#include <utility>

// An empty file name stands for no file at all: every read gives its default, writes go nowhere.
// The file's name is UTF-16, as the user's folders may hold characters the ANSI code page cannot
// spell; its content stays text in the ANSI code page, as the system writes a new INI file.
class TIniFile {
 public:
  explicit TIniFile(std::wstring fileName) : fileName_(std::move(fileName)) {}
  explicit TIniFile(const std::string& fileName);

  // At most 2047 characters of the value; the default when the key or the file is missing.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
  // Writes the value so that ReadString gives it back unchanged (single-line text up to 2047
  // characters, 2045 when it starts or ends with a blank or a quote; longer values come back cut
  // to that length); raises "Unable to write to <file>" when the platform refuses.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);

  int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
  void WriteInteger(const std::string& section, const std::string& key, int value);
  bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;
  void WriteBool(const std::string& section, const std::string& key, bool value);

 private:
  std::wstring fileName_;
};
