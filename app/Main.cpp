// Program entry: the start-up tasks, then the main window and the About box, then the message loop.
#include <windows.h>

#include "app/Startup.h"
#include "framework/Application.h"
#include "ui/About.h"
#include "ui/Main.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  Application.Initialize();
  try {
    RunStartupTasks();
  } catch (const std::exception& e) {
    ShowLastChanceError(e.what());
    return 1;
  }
  if (TerminateRequested) return 0;

  TSDIAppForm SDIAppForm;  // the main window, named as the program's one instance
  Application.MainForm = &SDIAppForm;
  SDIAppForm.Create();
  TAboutBox aboutBox;
  AboutBox = &aboutBox;
  aboutBox.Create();
  Application.Run(showCommand);
  return 0;
}
