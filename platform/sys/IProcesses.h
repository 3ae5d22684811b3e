#pragma once
#include <string>
#include <vector>

struct TProcessEntry {
  int Pid = 0;
  std::string ExeFile; // file name of the executable, without its folder
  bool operator==(const TProcessEntry&) const = default;
};

// Starting programs by file name, the list of running processes, and ending them.
class IProcesses {
public:
  virtual ~IProcesses() = default;
  // Starts the program without arguments and without waiting for it. A name without a folder is
  // looked for in the running program's own folder first, then along PATH. Failure is silent.
  virtual void WinExec(const std::string& fileName) = 0;
  // The running processes in ascending pid order.
  virtual std::vector<TProcessEntry> Snapshot() = 0;
  // Ends the process at once; the exit code cannot be chosen here. True if the signal was sent.
  virtual bool TerminateProcess(int pid, int exitCode) = 0;
  // The full path of the running program's executable.
  virtual std::string ExeFileName() = 0;
  // The folder of ExeFileName(), with a trailing '/'.
  virtual std::string ExeFolder() = 0;
};
