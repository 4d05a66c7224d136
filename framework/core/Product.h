// The product's names: the one place the program spells them. They are string literals, so that
// the texts built from them ("Delete " TALLOWMERE_PRODUCT) stay constants.
#pragma once

// The program's own name: the main window's caption and the About box's product name.
#define TALLOWMERE_TITLE "Tallowmere"

// The name the product is installed under: the installed-programs entry and its display name, the
// run-once values, the desktop and start-menu shortcuts and the start-menu folder.
#define TALLOWMERE_PRODUCT "Brindlecast"

// The per-user settings: a folder under the application-data folder, and the file in that folder.
#define TALLOWMERE_SETTINGS_FOLDER "Quorvel"
#define TALLOWMERE_SETTINGS_FILE "quorvel.ini"

// Copies started from under the developer's own build folder leave the machine's lists alone.
#define TALLOWMERE_DEVELOPMENT_FOLDER "C:\\Projects\\Tallowmere\\"

// The copyright holder: the About box's copyright line, and the installer's publisher.
#define TALLOWMERE_PUBLISHER "Tallowmere developers"

// The product's web site: the About box's link, and the package managers' home page.
#define TALLOWMERE_HOMEPAGE "https://tallowmere.example.org"

// The version is the build's, not this header's: CMake's project() version, generated into
// framework/Version.h (TALLOWMERE_VERSION) in the build tree. The installer and the package
// managers' manifests (installer/manifests.sh) read the names above from this file.
