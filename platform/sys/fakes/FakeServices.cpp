#include "platform/sys/fakes/FakeServices.h"

namespace {

template <class T, class I>
T* Install(std::unique_ptr<I>& slot) {
  auto fake = std::make_unique<T>();
  T* raw = fake.get();
  slot = std::move(fake);
  return raw;
}

} // namespace

TFakeServices& InstallFakeServices() {
  static TFakeServices fakes;
  TSysServices& s = Sys();
  fakes.Mutex = Install<TFakeMutex>(s.Mutex);
  fakes.Processes = Install<TFakeProcesses>(s.Processes);
  fakes.KeyInput = Install<TFakeKeyInput>(s.KeyInput);
  fakes.Windowing = Install<TFakeWindowing>(s.Windowing);
  fakes.Shell = Install<TFakeShell>(s.Shell);
  fakes.Shutdown = Install<TFakeShutdown>(s.Shutdown);
  fakes.AutoStart = Install<TFakeAutoStart>(s.AutoStart);
  fakes.Clock = Install<TFakeClock>(s.Clock);
  return fakes;
}
