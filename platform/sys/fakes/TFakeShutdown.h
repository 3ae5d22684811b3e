#pragma once
#include "platform/sys/IShutdown.h"

class TFakeShutdown : public IShutdown {
public:
  void PowerOff() override { ++PowerOffCount; }

  int PowerOffCount = 0;
};
