#pragma once
#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// A folder of its own under /tmp, removed with everything in it.
class TTempDir {
public:
  TTempDir();
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;
  const std::string& Path() const { return FPath; }
  std::string operator/(const std::string& name) const { return FPath + "/" + name; }

private:
  std::string FPath;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& text, int mode = 0644);

// Waits until done() holds, up to the timeout; returns its last answer.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(5));

// Variables to set for a child, or to remove where the value is missing.
using TEnvChanges = std::map<std::string, std::optional<std::string>>;

// A child process with pipes to its standard input and output; killed and reaped on destruction
// if it still runs.
class TChild {
public:
  // quiet sends the child's error output to /dev/null.
  TChild(const std::vector<std::string>& argv, const TEnvChanges& env = {}, bool quiet = false);
  ~TChild();
  TChild(const TChild&) = delete;
  TChild& operator=(const TChild&) = delete;

  int Pid() const { return FPid; }
  // One line of output without its newline; nullopt at end of output or timeout.
  std::optional<std::string> ReadLine(std::chrono::milliseconds timeout = std::chrono::seconds(5));
  void Write(const std::string& text);
  void CloseInput();
  void Kill(int signal);
  // The exit status as waitpid gives it, or nullopt if the child still runs after the timeout.
  std::optional<int> Wait(std::chrono::milliseconds timeout = std::chrono::seconds(5));

private:
  int FPid = -1;
  int FIn = -1;
  int FOut = -1;
  std::string FBuffer;
  bool FReaped = false;
};

// The helper program built beside the tests.
std::string HelperPath();
