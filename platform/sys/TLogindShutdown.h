#pragma once
#include "platform/sys/IShutdown.h"

// Power-off through the login manager on the system bus. The request is not interactive, so the
// policy in force decides at once and never asks a password on the kiosk screen.
class TLogindShutdown : public IShutdown {
public:
  void PowerOff() override;
};
