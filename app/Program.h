// The program from its start to the end of its message loop.
#pragma once

// Runs the start-up tasks, makes the main window and the About box, shows the main window with the
// launcher's show command and runs the message loop; returns the process's exit code.
int RunProgram(int showCommand);
