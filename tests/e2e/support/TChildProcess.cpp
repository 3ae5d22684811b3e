#include "TChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <map>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

int Remaining(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? int(left) : 0;
}

std::vector<std::string> MergedEnvironment(const std::vector<std::string>& changes) {
  std::map<std::string, std::string> vars;
  for (char** e = environ; e && *e; ++e) {
    std::string s = *e;
    size_t eq = s.find('=');
    if (eq != std::string::npos) vars[s.substr(0, eq)] = s.substr(eq + 1);
  }
  for (const std::string& c : changes) {
    size_t eq = c.find('=');
    if (eq == std::string::npos) vars.erase(c);
    else vars[c.substr(0, eq)] = c.substr(eq + 1);
  }
  std::vector<std::string> out;
  for (auto& [k, v] : vars) out.push_back(k + "=" + v);
  return out;
}

int DecodeStatus(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

} // namespace

TChildProcess::TChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                             bool captureOutput, int inheritFd) {
  if (argv.empty()) throw std::invalid_argument("no program to run");
  // Everything the child needs is built before fork: between fork and exec only plain system
  // calls are safe.
  std::vector<std::string> envStrings = MergedEnvironment(env);
  std::vector<char*> args, envp;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  for (std::string& e : envStrings) envp.push_back(e.data());
  envp.push_back(nullptr);

  int out[2] = {-1, -1};
  if (captureOutput && pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  pid_t parent = getpid();
  pid_ = fork();
  if (pid_ < 0) {
    if (captureOutput) {
      close(out[0]);
      close(out[1]);
    }
    throw std::runtime_error("fork failed");
  }
  if (pid_ == 0) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);
    if (captureOutput) dup2(out[1], STDOUT_FILENO);
    if (inheritFd >= 0) fcntl(inheritFd, F_SETFD, 0);
    int devnull = open("/dev/null", O_RDONLY);
    if (devnull >= 0) dup2(devnull, STDIN_FILENO);
    execvpe(args[0], args.data(), envp.data());
    _exit(127);
  }
  if (captureOutput) {
    close(out[1]);
    out_fd_ = out[0];
  }
}

TChildProcess::~TChildProcess() {
  if (pid_ > 0 && !status_) {
    kill(pid_, SIGKILL);
    Wait(5000);
  }
  if (out_fd_ >= 0) close(out_fd_);
}

bool TChildProcess::Running() { return !Wait(0).has_value(); }

std::optional<int> TChildProcess::Wait(int timeoutMs) {
  if (status_) return status_;
  auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    int status = 0;
    pid_t r = waitpid(pid_, &status, WNOHANG);
    if (r == pid_) {
      status_ = DecodeStatus(status);
      return status_;
    }
    if (r < 0 && errno != EINTR) {
      status_ = -1;
      return status_;
    }
    if (Remaining(deadline) == 0) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

int TChildProcess::Stop(int graceMs) {
  if (status_) return *status_;
  kill(pid_, SIGTERM);
  if (auto s = Wait(graceMs)) return *s;
  kill(pid_, SIGKILL);
  auto s = Wait(5000);
  return s ? *s : -1;
}

bool TChildProcess::ReadMore(int timeoutMs) {
  if (out_fd_ < 0) return false;
  pollfd p{out_fd_, POLLIN, 0};
  int r = poll(&p, 1, timeoutMs);
  if (r <= 0) return false;
  char buf[4096];
  ssize_t n = read(out_fd_, buf, sizeof buf);
  if (n <= 0) {
    close(out_fd_);
    out_fd_ = -1;
    if (!partial_.empty()) {
      lines_.push_back(partial_);
      partial_.clear();
    }
    return false;
  }
  partial_.append(buf, size_t(n));
  size_t nl;
  while ((nl = partial_.find('\n')) != std::string::npos) {
    lines_.push_back(partial_.substr(0, nl));
    partial_.erase(0, nl + 1);
  }
  return true;
}

void TChildProcess::Drain() {
  while (ReadMore(0)) {
  }
}

std::optional<std::string> TChildProcess::ReadLine(int timeoutMs) {
  auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (next_ >= lines_.size()) {
    if (out_fd_ < 0) return std::nullopt;
    int left = Remaining(deadline);
    if (!ReadMore(left) && left == 0) return std::nullopt;
  }
  return lines_[next_++];
}

bool TChildProcess::WaitForLine(const std::string& line, int timeoutMs) {
  auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    auto l = ReadLine(Remaining(deadline));
    if (!l) return false;
    if (*l == line) return true;
  }
}

std::optional<std::string> TChildProcess::WaitForPrefix(const std::string& prefix, int timeoutMs) {
  auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    auto l = ReadLine(Remaining(deadline));
    if (!l || l->rfind(prefix, 0) == 0) return l;
  }
}

int RunProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env, int timeoutMs,
               std::string* output) {
  TChildProcess p(argv, env, true);
  auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (p.ReadLine(Remaining(deadline))) {
  }
  auto status = p.Wait(Remaining(deadline));
  if (output) {
    output->clear();
    for (const std::string& l : p.Lines()) *output += l + "\n";
  }
  return status ? *status : p.Stop(0);
}
