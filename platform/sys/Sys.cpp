#include "platform/sys/Sys.h"

#include "platform/sys/DateUtils.h"
#include "platform/sys/TGioShell.h"
#include "platform/sys/TLockFileMutex.h"
#include "platform/sys/TLogindShutdown.h"
#include "platform/sys/TPosixProcesses.h"
#include "platform/sys/TSystemClock.h"
#include "platform/sys/TX11Windowing.h"
#include "platform/sys/TXTestKeyInput.h"
#include "platform/sys/TXdgAutoStart.h"

TSysServices& Sys() {
  static TSysServices services;
  return services;
}

void InstallRealServices() {
  TSysServices& s = Sys();
  s.Mutex = std::make_unique<TLockFileMutex>();
  s.Processes = std::make_unique<TPosixProcesses>();
  s.KeyInput = std::make_unique<TXTestKeyInput>();
  s.Windowing = std::make_unique<TX11Windowing>();
  s.Shell = std::make_unique<TGioShell>();
  s.Shutdown = std::make_unique<TLogindShutdown>();
  s.AutoStart = std::make_unique<TXdgAutoStart>();
  s.Clock = std::make_unique<TSystemClock>();
}

TDateTime Now() { return Sys().Clock->Now(); }
TDateTime Date() { return DateOf(Now()); }
TDateTime Time() { return Frac(Now()); }
