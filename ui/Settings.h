// The per-user settings folder and file.
#pragma once
#include <string>

// The "AppData" shell folder (or, without that value, the system's roaming application-data
// folder) followed by the settings folder's name (framework/Product.h) and a backslash; fixed once
// while the main window is created. Empty when there is no such folder: the settings are then
// neither read nor written.
extern std::string SettingsFolder;

// Fixes SettingsFolder and creates it with any missing parents; failures are not reported.
void FixSettingsFolder();

// The settings file: SettingsFolder + the settings file's name; empty when there is no settings
// folder.
std::string SettingsFileName();
