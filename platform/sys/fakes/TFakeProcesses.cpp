#include "platform/sys/fakes/TFakeProcesses.h"

#include <algorithm>

void TFakeProcesses::WinExec(const std::string& fileName) {
  Started.push_back(fileName);
  if (OnWinExec) OnWinExec(fileName);
}

bool TFakeProcesses::TerminateProcess(int pid, int exitCode) {
  Terminated.push_back({pid, exitCode});
  auto it = std::find_if(Running.begin(), Running.end(), [&](const TProcessEntry& e) { return e.Pid == pid; });
  if (it == Running.end()) return false;
  Running.erase(it);
  return true;
}

std::string TFakeProcesses::ExeFolder() {
  size_t slash = ExePath.rfind('/');
  return slash == std::string::npos ? std::string("./") : ExePath.substr(0, slash + 1);
}

int TFakeProcesses::AddProcess(const std::string& exeFile) {
  int pid = 1000;
  for (const TProcessEntry& e : Running) pid = std::max(pid, e.Pid + 1);
  Running.push_back({pid, exeFile});
  return pid;
}
