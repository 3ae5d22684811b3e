#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/sys/IAutoStart.h"

// The autostart entry in memory: the program path it starts, if there is one.
class TFakeAutoStart : public IAutoStart {
public:
  bool ValueExists() override {
    Calls.push_back("ValueExists");
    return Entry.has_value();
  }
  bool Write(const std::string& exePath) override {
    Calls.push_back("Write " + exePath);
    if (!Writable) return false;
    Entry = exePath;
    return true;
  }
  bool Delete() override {
    Calls.push_back("Delete");
    if (!Writable) return false;
    Entry.reset();
    return true;
  }

  std::optional<std::string> Entry;
  bool Writable = true; // false: as without the rights to the machine's configuration
  std::vector<std::string> Calls;
};
