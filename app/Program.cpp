// The program's sequence: the start-up tasks, then the main window and the About box (whose window
// waits for its first use), then the message loop.
#include "app/Program.h"

#include <windows.h>

#include "app/Startup.h"
#include "framework/Application.h"
#include "framework/ErrorReport.h"
#include "framework/Exceptions.h"
#include "framework/StartupPhases.h"
#include "install/Install.h"
#include "ui/About.h"
#include "ui/Main.h"

int RunProgram(int showCommand) {
  Application.Initialize();
  StartupPhaseDone("framework set-up");
  int exitCode = 0;
  try {
    exitCode = RunStartupTasks();
  } catch (const EAbort&) {
    return 1;  // the start-up already said why it stops
  } catch (const std::exception& e) {
    if (!IsSilentUninstall()) ShowLastChanceError(e.what());
    return 1;
  }
  if (TerminateRequested) return exitCode;

  TSDIAppForm SDIAppForm;  // the main window, named as the program's one instance
  TAboutBox aboutBox;
  // Without its windows the program cannot go on: a failure to make them ends it as above.
  try {
    SDIAppForm.Create();
    Application.MainWindow = SDIAppForm.Handle;
    AboutBox = &aboutBox;  // its window is made on first use (Help > About)
  } catch (const std::exception& e) {
    ShowLastChanceError(e.what());
    return 1;
  }
  SDIAppForm.Show(TApplication::MainShowCommand(showCommand));
  StartupPhaseDone("first show");
  Application.Run();
  return 0;
}
