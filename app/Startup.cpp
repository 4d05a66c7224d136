// The start-up tasks, in their order.
#include "app/Startup.h"

#include "framework/Application.h"
#include "install/Install.h"

void RunStartupTasks() {
  RegisterUninstallEntry();
  TerminateRequested = false;
  CheckUninstallSwitch();
}
