#pragma once
#include "platform/sys/IAutoStart.h"

// The desktop entry Tovira.desktop in the autostart folder of the first configuration folder of
// $XDG_CONFIG_DIRS (/etc/xdg without one), which every user's session reads.
class TXdgAutoStart : public IAutoStart {
public:
  bool ValueExists() override;
  bool Write(const std::string& exePath) override;
  bool Delete() override;

  // The entry's full file name, from the environment at the time of the call.
  static std::string EntryFileName();
  // The whole entry for a program.
  static std::string EntryText(const std::string& exePath);
  // The value of the Exec key that runs exePath with no arguments: quoted where it holds a
  // reserved character, field-code percent signs doubled, then escaped as a string value.
  static std::string ExecValue(const std::string& exePath);
};
