#include "platform/ui/TTimer.h"

#include "platform/ui/TApplication.h"

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  if (Application) Application->AddTimer(this);
  Restart();
}

TTimer::~TTimer() {
  if (Application) Application->RemoveTimer(this);
}

void TTimer::SetInterval(unsigned ms) {
  if (interval_ == ms) return;
  interval_ = ms;
  Restart();
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Restart();
}

// The next period starts before the handler runs, so a handler that opens a modal form sees
// the timer tick on at its pace inside that form's loop instead of firing again at once.
void TTimer::Fire(uint64_t now) {
  due_ = now + interval_;
  if (OnTimer) OnTimer(this);
}

void TTimer::Restart() { due_ = (Application ? Application->TickCount() : 0) + interval_; }
