#include "TestSupport.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

TTempDir::TTempDir() {
  char templ[] = "/tmp/sys-test-XXXXXX";
  if (!mkdtemp(templ)) throw std::runtime_error("mkdtemp failed");
  FPath = templ;
}

TTempDir::~TTempDir() {
  std::error_code ec;
  std::filesystem::remove_all(FPath, ec);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const std::string& path, const std::string& text, int mode) {
  std::ofstream(path, std::ios::binary) << text;
  chmod(path.c_str(), mode_t(mode));
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  auto end = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return done();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

TChild::TChild(const std::vector<std::string>& argv, const TEnvChanges& env, bool quiet) {
  int in[2], out[2];
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  std::vector<std::string> vars;
  for (char** e = environ; *e; ++e) {
    std::string var = *e;
    if (!env.count(var.substr(0, var.find('=')))) vars.push_back(var);
  }
  for (const auto& [name, value] : env)
    if (value) vars.push_back(name + "=" + *value);
  std::vector<char*> envp, args;
  for (std::string& v : vars) envp.push_back(v.data());
  envp.push_back(nullptr);
  std::vector<std::string> argCopy = argv;
  for (std::string& a : argCopy) args.push_back(a.data());
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  if (quiet) posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  int rc = posix_spawn(&FPid, args[0], &actions, nullptr, args.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(in[0]);
  close(out[1]);
  FIn = in[1];
  FOut = out[0];
  if (rc != 0) throw std::runtime_error("cannot start " + argv[0] + ": " + strerror(rc));
}

TChild::~TChild() {
  if (!FReaped) {
    kill(FPid, SIGKILL);
    Wait(std::chrono::seconds(5));
  }
  if (FIn >= 0) close(FIn);
  if (FOut >= 0) close(FOut);
}

std::optional<std::string> TChild::ReadLine(std::chrono::milliseconds timeout) {
  auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    size_t nl = FBuffer.find('\n');
    if (nl != std::string::npos) {
      std::string line = FBuffer.substr(0, nl);
      FBuffer.erase(0, nl + 1);
      return line;
    }
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
    if (left.count() <= 0) return std::nullopt;
    pollfd p{FOut, POLLIN, 0};
    if (poll(&p, 1, int(left.count())) <= 0) continue;
    char buf[256];
    ssize_t n = read(FOut, buf, sizeof buf);
    if (n <= 0) return std::nullopt;
    FBuffer.append(buf, size_t(n));
  }
}

void TChild::Write(const std::string& text) {
  if (FIn >= 0 && write(FIn, text.data(), text.size()) < 0) throw std::runtime_error("write to child failed");
}

void TChild::CloseInput() {
  if (FIn >= 0) close(FIn);
  FIn = -1;
}

void TChild::Kill(int signal) {
  if (!FReaped) kill(FPid, signal);
}

std::optional<int> TChild::Wait(std::chrono::milliseconds timeout) {
  int status = 0;
  bool done = WaitUntil(
      [&] {
        pid_t r = waitpid(FPid, &status, WNOHANG);
        return r == FPid || (r < 0 && errno == ECHILD);
      },
      timeout);
  if (!done) return std::nullopt;
  FReaped = true;
  return status;
}

std::string HelperPath() {
  std::string exe = std::filesystem::read_symlink("/proc/self/exe").string();
  return exe.substr(0, exe.rfind('/') + 1) + "sys_helper";
}
