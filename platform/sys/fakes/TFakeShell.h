#pragma once
#include <vector>

#include "platform/sys/IShell.h"

class TFakeShell : public IShell {
public:
  void ShellOpen(const std::string& address) override { Opened.push_back(address); }

  std::vector<std::string> Opened;
};
