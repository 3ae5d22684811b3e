#pragma once
#include <vector>

#include "platform/sys/IProcesses.h"

// Programs started with posix_spawn, processes read from /proc, termination by SIGKILL.
class TPosixProcesses : public IProcesses {
public:
  void WinExec(const std::string& fileName) override;
  std::vector<TProcessEntry> Snapshot() override;
  bool TerminateProcess(int pid, int exitCode) override;
  std::string ExeFileName() override;
  std::string ExeFolder() override;

  // Where WinExec would start fileName from; empty when no executable file is found.
  std::string FindProgram(const std::string& fileName);

private:
  // Collects the programs we started that have ended, so they do not linger as zombies that a
  // snapshot would list under the name of a program that is gone.
  void ReapChildren();

  std::vector<int> FChildren;
};
