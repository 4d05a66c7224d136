// Test helper: a file's bytes written and read back whole, and where the program keeps its
// settings.
#pragma once
#include <string>

// The file's bytes as stored; `ifMissing` when it cannot be opened.
std::string FileBytes(const std::string& path, const std::string& ifMissing = "");
// Makes or replaces the file with exactly these bytes; false when it cannot.
bool WriteFileText(const std::string& path, const std::string& text);
bool WriteFileText(const std::wstring& path, const std::string& text);
// The settings folder (with a trailing backslash) and file of the user running the tests.
std::string SettingsFolderPath();
std::string SettingsFilePath();
