// The current user's shell folder paths ("AppData", "Desktop", "Programs"...).
#pragma once
#include <string>

// The value `name` of HKCU "Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders",
// as stored, in UTF-16: a folder the ANSI code page cannot spell ("C:\sm\Ｐrograms") must not
// come back as a look-alike ("C:\sm\Programs") that names another folder. "" when the key or value
// is missing. Raises "Invalid data type for '%s'" for a value that is no string and "Failed to get
// data for '%s'" when reading it fails.
std::wstring GetShellFolder(const std::string& name);
