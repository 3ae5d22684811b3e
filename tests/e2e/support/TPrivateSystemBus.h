#pragma once
#include <memory>
#include <string>

#include "TChildProcess.h"

// A private bus that stands in for the system bus, for tests of what a program asks of the login
// manager: a program whose DBUS_SYSTEM_BUS_ADDRESS names this bus can never reach the machine's
// own. The destructor stops everything it started.
class TPrivateSystemBus {
public:
  // Starts the bus, with its configuration and socket in folder; throws std::runtime_error when
  // it does not come up within a few seconds.
  explicit TPrivateSystemBus(const std::string& folder);
  TPrivateSystemBus(const TPrivateSystemBus&) = delete;
  TPrivateSystemBus& operator=(const TPrivateSystemBus&) = delete;

  const std::string& Address() const { return address_; }
  // "DBUS_SYSTEM_BUS_ADDRESS=<address>", for TChildProcess.
  std::string Environment() const { return "DBUS_SYSTEM_BUS_ADDRESS=" + address_; }

  // Starts the stand-in login manager (the sys helper program's "logind" mode) on the bus; it
  // writes each call it gets to recordPath. False when it does not report that it is ready.
  bool StartLoginManager(const std::string& helper, const std::string& recordPath);

private:
  std::string address_;
  std::unique_ptr<TChildProcess> bus_;
  std::unique_ptr<TChildProcess> logind_;
};
