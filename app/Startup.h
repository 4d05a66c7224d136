// The work done before any window exists.
#pragma once

// Registers the program in the installed-programs list, then handles "/uninstall"; sets
// TerminateRequested when the process is to end without a window, and returns the exit code it
// is to end with then.
int RunStartupTasks();
