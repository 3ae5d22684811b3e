#pragma once
#include <memory>

#include "platform/sys/IAutoStart.h"
#include "platform/sys/IClock.h"
#include "platform/sys/IKeyInput.h"
#include "platform/sys/IProcesses.h"
#include "platform/sys/IShell.h"
#include "platform/sys/IShutdown.h"
#include "platform/sys/ISysMutex.h"
#include "platform/sys/IWindowing.h"

// The system services of the running program. main() installs the real ones, a test the fakes;
// until then every member is empty.
struct TSysServices {
  std::unique_ptr<ISysMutex> Mutex;
  std::unique_ptr<IProcesses> Processes;
  std::unique_ptr<IKeyInput> KeyInput;
  std::unique_ptr<IWindowing> Windowing;
  std::unique_ptr<IShell> Shell;
  std::unique_ptr<IShutdown> Shutdown;
  std::unique_ptr<IAutoStart> AutoStart;
  std::unique_ptr<IClock> Clock;
};

TSysServices& Sys();
void InstallRealServices();

// The clock of the installed services: the date and time, the date alone, the time of day.
TDateTime Now();
TDateTime Date();
TDateTime Time();
