#pragma once
#include <string>

// Opening an address with the desktop's handler for it.
class IShell {
public:
  virtual ~IShell() = default;
  // Hands a web address, any other URI, or a file path to its default program, without waiting
  // for it. Failure is silent.
  virtual void ShellOpen(const std::string& address) = 0;
};
