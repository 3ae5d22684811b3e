#pragma once
#include <functional>
#include <utility>
#include <vector>

#include "platform/sys/IProcesses.h"

// A scripted process table. WinExec only records the name; a test that wants the program to
// appear adds it from OnWinExec.
class TFakeProcesses : public IProcesses {
public:
  void WinExec(const std::string& fileName) override;
  std::vector<TProcessEntry> Snapshot() override { return Running; }
  // Records the call and removes the process; false when no such process runs.
  bool TerminateProcess(int pid, int exitCode) override;
  std::string ExeFileName() override { return ExePath; }
  std::string ExeFolder() override;

  // Adds a running process with the next free pid, above every pid in the table, and returns it.
  int AddProcess(const std::string& exeFile);

  std::vector<std::string> Started;
  std::vector<TProcessEntry> Running;
  std::vector<std::pair<int, int>> Terminated; // pid, exit code
  std::function<void(const std::string&)> OnWinExec;
  std::string ExePath = "/opt/tovira/Tovira";
};
