#pragma once
#include "platform/sys/IClock.h"

// The computer's clock in the local time zone, to the millisecond.
class TSystemClock : public IClock {
public:
  TDateTime Now() override;
};
