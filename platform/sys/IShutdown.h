#pragma once

// Switching the computer off.
class IShutdown {
public:
  virtual ~IShutdown() = default;
  // Asks the system to power off now, closing other programs without asking them. Whether it is
  // allowed is the system's decision; a refusal is silent.
  virtual void PowerOff() = 0;
};
