// The current user's shell folder paths ("AppData", "Desktop", "Programs"...).
#pragma once
#include <string>

// The value `name` of HKCU "Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders",
// as stored; "" when the key or value is missing. Raises "Invalid data type for '%s'" for a value
// that is no string and "Failed to get data for '%s'" when reading it fails.
std::string GetShellFolder(const std::string& name);
