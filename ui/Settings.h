// The per-user settings folder and file.
#pragma once
#include <string>

// The "AppData" shell folder (or, without a usable value, the system's roaming application-data
// folder) followed by the settings folder's name (framework/core/Product.h) and a backslash; fixed
// once while the main window is created. UTF-16: a user's folder may hold characters the ANSI code
// page cannot spell. Empty when there is no such folder: the settings are then neither read nor
// written.
extern std::wstring SettingsFolder;

// Fixes SettingsFolder and creates it with any missing parents; failures are not reported.
void FixSettingsFolder();

// The settings file: SettingsFolder + the settings file's name; empty when there is no settings
// folder.
std::wstring SettingsFileName();
