// Where the program's libraries come from: the system folder only. The executable's own folder is
// often a downloads folder, where anything may lie under a system library's name.
#pragma once
#include <windows.h>

// Restricts every later search for a library to the system folder. The first thing the program
// does, before any library can load on demand.
void RestrictLibrarySearch();

// A system library loaded by its full path in the system folder; nullptr (with the last error set)
// when it cannot be loaded.
HMODULE LoadSystemLibrary(const char* name);
