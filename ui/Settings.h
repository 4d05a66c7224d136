// The per-user settings folder and file.
#pragma once
#include <string>

// The "AppData" shell folder followed by "\Quorvel\"; fixed once while the main window is created.
extern std::string SettingsFolder;

// Fixes SettingsFolder and creates it with any missing parents; failures are not reported.
void FixSettingsFolder();
