#pragma once
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

// A program that a test runs. Its standard output is read line by line (standard error goes to
// the test's); it gets SIGKILL if the test process dies, and the object kills and reaps it when
// it goes, so nothing outlives a test. Every wait has a timeout.
class TChildProcess {
public:
  // argv[0] is looked up in PATH. env holds "NAME=value" entries set over this process's
  // environment; "NAME" alone removes the variable. inheritFd, when not -1, stays open in the
  // child under its number (for a program that reports through a descriptor it is given).
  explicit TChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env = {},
                         bool captureOutput = true, int inheritFd = -1);
  ~TChildProcess();
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;

  pid_t Pid() const { return pid_; }
  bool Running();
  // The exit code (128 + the signal number for a killed process), or nothing when it still runs
  // after timeoutMs.
  std::optional<int> Wait(int timeoutMs);
  // SIGTERM, then SIGKILL after graceMs; returns the exit status as Wait does.
  int Stop(int graceMs = 2000);

  // The next output line (without its newline), or nothing at timeout or the end of the output.
  std::optional<std::string> ReadLine(int timeoutMs);
  // Reads on until a line equal to `line` comes, looking first at the lines read but not yet
  // passed by an earlier wait. The lines passed stay in Lines().
  bool WaitForLine(const std::string& line, int timeoutMs);
  // The same for the first line that starts with prefix; returns the whole line.
  std::optional<std::string> WaitForPrefix(const std::string& prefix, int timeoutMs);
  // Every line read so far, in order.
  const std::vector<std::string>& Lines() const { return lines_; }
  // Reads what is there now without waiting for more.
  void Drain();

private:
  bool ReadMore(int timeoutMs);
  pid_t pid_ = -1;
  int out_fd_ = -1;
  std::optional<int> status_;
  std::string partial_;
  std::vector<std::string> lines_;
  size_t next_ = 0; // the first line no ReadLine or WaitForLine has passed
};

// Runs a program to its end (at most timeoutMs, then it is killed) and returns its exit status;
// its output is stored in *output when that is given.
int RunProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env = {}, int timeoutMs = 30000,
               std::string* output = nullptr);
