#pragma once
#include <memory>
#include <string>

#include "TestSupport.h"

// A private X server on a free display number, which DISPLAY names while it runs.
class TXvfb {
public:
  TXvfb();
  ~TXvfb();
  bool Running() const { return !FDisplay.empty(); }
  const std::string& Display() const { return FDisplay; }

private:
  std::unique_ptr<TChild> FServer;
  std::string FDisplay;
  std::optional<std::string> FOldDisplay;
};
