// Temporary: commands whose files are being written. Each section goes when its file lands.
#include "ui/Main.h"
