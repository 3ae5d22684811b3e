#pragma once
#include <cstdint>

#include "platform/ui/TComponent.h"

// Fires OnTimer from the message loop every Interval milliseconds while enabled, also inside
// nested loops. Missed ticks are not caught up.
class TTimer : public TComponent {
public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned ms);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  TNotifyEvent OnTimer;

  // For the application's loop.
  uint64_t Due() const { return due_; }
  bool Active() const { return enabled_ && interval_ > 0 && OnTimer != nullptr; }
  void Fire(uint64_t now);

private:
  void Restart();
  unsigned interval_ = 1000;
  bool enabled_ = true;
  uint64_t due_ = 0;
};
