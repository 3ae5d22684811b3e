#pragma once
#include "platform/sys/SysTypes.h"

// The local wall clock.
class IClock {
public:
  virtual ~IClock() = default;
  virtual TDateTime Now() = 0;
};
