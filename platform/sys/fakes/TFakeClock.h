#pragma once
#include "platform/sys/IClock.h"

// A clock that stands still until the test sets or advances it.
class TFakeClock : public IClock {
public:
  TDateTime Now() override { return Value; }
  void Set(TDateTime value) { Value = value; }
  void AdvanceSeconds(double seconds) { Value += seconds / 86400.0; }

  TDateTime Value = 39984.5; // 2009-06-20 12:00
};
