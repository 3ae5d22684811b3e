#include "platform/sys/TPosixProcesses.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::string ReadLink(const std::string& path) {
  char buf[4096];
  ssize_t n = readlink(path.c_str(), buf, sizeof buf);
  return n > 0 ? std::string(buf, size_t(n)) : std::string();
}

std::string BaseName(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A zombie has given up its executable; the snapshot lists only processes that still run.
bool IsZombie(const std::string& procDir) {
  std::ifstream in(procDir + "/stat");
  std::string stat;
  std::getline(in, stat);
  size_t paren = stat.rfind(')');
  return paren != std::string::npos && paren + 2 < stat.size() && stat[paren + 2] == 'Z';
}

} // namespace

std::string TPosixProcesses::ExeFileName() { return ReadLink("/proc/self/exe"); }

std::string TPosixProcesses::ExeFolder() {
  std::string exe = ExeFileName();
  size_t slash = exe.rfind('/');
  return slash == std::string::npos ? std::string("./") : exe.substr(0, slash + 1);
}

std::string TPosixProcesses::FindProgram(const std::string& fileName) {
  if (fileName.empty()) return {};
  if (fileName.find('/') != std::string::npos) return IsExecutableFile(fileName) ? fileName : std::string();
  std::string own = ExeFolder() + fileName;
  if (IsExecutableFile(own)) return own;
  const char* path = getenv("PATH");
  std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    std::string dir = dirs.substr(start, end - start);
    // An empty PATH entry means the current folder, as for the shell.
    std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + fileName;
    if (IsExecutableFile(candidate)) return candidate;
    start = end + 1;
  }
  return {};
}

void TPosixProcesses::WinExec(const std::string& fileName) {
  ReapChildren();
  std::string program = FindProgram(fileName);
  if (program.empty()) return;
  // The toolkit may block or ignore signals in this process; the program starts with none of that.
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attr, &none);
  posix_spawnattr_setsigdefault(&attr, &all);
  char* argv[] = {program.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, program.c_str(), nullptr, &attr, argv, environ) == 0) FChildren.push_back(pid);
  posix_spawnattr_destroy(&attr);
}

void TPosixProcesses::ReapChildren() {
  std::erase_if(FChildren, [](int pid) {
    int status = 0;
    pid_t r = waitpid(pid, &status, WNOHANG);
    return r == pid || (r < 0 && errno == ECHILD);
  });
}

std::vector<TProcessEntry> TPosixProcesses::Snapshot() {
  ReapChildren();
  std::vector<TProcessEntry> list;
  DIR* dir = opendir("/proc");
  if (!dir) return list;
  while (dirent* e = readdir(dir)) {
    char* end = nullptr;
    long pid = strtol(e->d_name, &end, 10);
    if (pid <= 0 || *end != '\0') continue;
    std::string procDir = std::string("/proc/") + e->d_name;
    if (IsZombie(procDir)) continue;
    std::string exe = ReadLink(procDir + "/exe");
    // The kernel marks an executable replaced or removed since the start.
    const std::string deleted = " (deleted)";
    if (exe.size() > deleted.size() && exe.ends_with(deleted)) exe.resize(exe.size() - deleted.size());
    std::string name = BaseName(exe);
    if (name.empty()) {
      // Processes of other users and kernel threads do not show their executable.
      std::ifstream comm(procDir + "/comm");
      std::getline(comm, name);
    }
    if (name.empty()) continue;
    list.push_back({int(pid), name});
  }
  closedir(dir);
  std::sort(list.begin(), list.end(), [](const TProcessEntry& a, const TProcessEntry& b) { return a.Pid < b.Pid; });
  return list;
}

bool TPosixProcesses::TerminateProcess(int pid, int /*exitCode*/) {
  if (pid <= 0) return false;
  // A child of ours that has ended is collected first, so it does not count as running.
  ReapChildren();
  return kill(pid, SIGKILL) == 0;
}
