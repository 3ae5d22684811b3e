#pragma once
#include "platform/sys/Sys.h"
#include "platform/sys/fakes/TFakeAutoStart.h"
#include "platform/sys/fakes/TFakeClock.h"
#include "platform/sys/fakes/TFakeKeyInput.h"
#include "platform/sys/fakes/TFakeMutex.h"
#include "platform/sys/fakes/TFakeProcesses.h"
#include "platform/sys/fakes/TFakeShell.h"
#include "platform/sys/fakes/TFakeShutdown.h"
#include "platform/sys/fakes/TFakeWindowing.h"

// The fakes that Sys() holds after InstallFakeServices(); valid until the next install.
struct TFakeServices {
  TFakeMutex* Mutex = nullptr;
  TFakeProcesses* Processes = nullptr;
  TFakeKeyInput* KeyInput = nullptr;
  TFakeWindowing* Windowing = nullptr;
  TFakeShell* Shell = nullptr;
  TFakeShutdown* Shutdown = nullptr;
  TFakeAutoStart* AutoStart = nullptr;
  TFakeClock* Clock = nullptr;
};

// Installs a fresh set of fakes into Sys() and returns access to them.
TFakeServices& InstallFakeServices();
