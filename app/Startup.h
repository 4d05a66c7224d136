// The work done before any window exists.
#pragma once

// Registers the program in the installed-programs list, then handles "/uninstall"; sets
// TerminateRequested when the process is to end without a window.
void RunStartupTasks();
