// Program entry: the start-up tasks, then the main window and the About box, then the message loop.
#include <windows.h>

#include "app/Startup.h"
#include "framework/Application.h"
#include "framework/ErrorReport.h"
#include "framework/Exceptions.h"
#include "ui/About.h"
#include "ui/Main.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  Application.Initialize();
  try {
    RunStartupTasks();
  } catch (const EAbort&) {
    return 1;  // the start-up already said why it stops
  } catch (const std::exception& e) {
    ShowLastChanceError(e.what());
    return 1;
  }
  if (TerminateRequested) return 0;

  TSDIAppForm SDIAppForm;  // the main window, named as the program's one instance
  TAboutBox aboutBox;
  // Without its windows the program cannot go on: a failure to make them ends it as above.
  try {
    SDIAppForm.Create();
    Application.MainWindow = SDIAppForm.Handle;
    AboutBox = &aboutBox;
    aboutBox.Create();
  } catch (const std::exception& e) {
    ShowLastChanceError(e.what());
    return 1;
  }
  SDIAppForm.Show(TApplication::MainShowCommand(showCommand));
  Application.Run();
  return 0;
}
