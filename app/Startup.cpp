// The start-up tasks, in their order.
#include "app/Startup.h"

#include "framework/Application.h"
#include "framework/StartupPhases.h"
#include "install/Install.h"

int RunStartupTasks() {
  RegisterUninstallEntry();
  StartupPhaseDone("installed-programs entry and clean-up");
  TerminateRequested = false;
  const int exitCode = CheckUninstallSwitch();
  StartupPhaseDone("uninstall switch");
  return exitCode;
}
