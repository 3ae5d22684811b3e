#pragma once
#include <string>

// The machine-wide entry that starts the browser when a user's desktop session starts.
class IAutoStart {
public:
  virtual ~IAutoStart() = default;
  virtual bool ValueExists() = 0;
  // Makes the entry start exePath, replacing what an entry there held. False when it cannot be
  // written, for example without the rights to the machine's configuration.
  virtual bool Write(const std::string& exePath) = 0;
  // Removes the entry; true also when there was none.
  virtual bool Delete() = 0;
};
