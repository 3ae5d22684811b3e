#include "platform/sys/TLockFileMutex.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr off_t kHolderByte = 0;
constexpr off_t kGateByte = 1;

bool SetLock(int fd, short type, off_t byte, bool wait) {
  struct flock fl {};
  fl.l_type = type;
  fl.l_whence = SEEK_SET;
  fl.l_start = byte;
  fl.l_len = 1;
  while (fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &fl) == -1)
    if (errno != EINTR) return false;
  return true;
}

// Whether a descriptor other than fd holds any lock on the holder byte. fd itself must hold none
// there, since a lock of its own would not show.
bool HeldByOthers(int fd) {
  struct flock fl {};
  fl.l_type = F_WRLCK;
  fl.l_whence = SEEK_SET;
  fl.l_start = kHolderByte;
  fl.l_len = 1;
  if (fcntl(fd, F_OFD_GETLK, &fl) == -1) return false;
  return fl.l_type != F_UNLCK;
}

// Creates path as a folder of ours if it is missing, and accepts it only if it is a folder (not a
// link to one) that we own and that nobody else can enter.
bool IsPrivateFolder(const std::string& path) {
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0) return false;
  return S_ISDIR(st.st_mode) && st.st_uid == geteuid() && (st.st_mode & 077) == 0;
}

} // namespace

std::string TLockFileMutex::LockFolder() {
  const char* runtime = getenv("XDG_RUNTIME_DIR");
  std::string folder = runtime && runtime[0] == '/' ? std::string(runtime) + "/tovira-mutex"
                                                    : "/tmp/tovira-mutex-" + std::to_string(geteuid());
  return IsPrivateFolder(folder) ? folder : std::string();
}

std::string TLockFileMutex::LockFileName(const std::string& name) {
  std::string out;
  for (unsigned char c : name) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '_' ||
        c == '-') {
      out += char(c);
    } else {
      char hex[4];
      snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    }
  }
  // A leading dot would make "." and ".." possible names.
  if (!out.empty() && out[0] == '.') out.replace(0, 1, "%2E");
  return out + ".lock";
}

intptr_t TLockFileMutex::AddHandle(int fd) {
  intptr_t handle = FNextHandle++;
  FHandles[handle] = fd;
  return handle;
}

intptr_t TLockFileMutex::CreateMutex(const std::string& name, bool& alreadyExists) {
  alreadyExists = false;
  // An unnamed mutex is private to its process and can never exist already.
  if (name.empty()) return AddHandle(-1);
  std::string folder = LockFolder();
  if (folder.empty()) return 0;
  std::string path = folder + "/" + LockFileName(name);
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return 0;
  if (!SetLock(fd, F_WRLCK, kGateByte, true)) {
    close(fd);
    return 0;
  }
  // Under the gate nobody else holds the holder byte exclusively, so the shared lock taken when
  // the exclusive one fails is granted at once.
  bool first = SetLock(fd, F_WRLCK, kHolderByte, false);
  bool held = SetLock(fd, F_RDLCK, kHolderByte, false);
  SetLock(fd, F_UNLCK, kGateByte, false);
  if (!held) {
    close(fd);
    return 0;
  }
  alreadyExists = !first;
  return AddHandle(fd);
}

intptr_t TLockFileMutex::OpenMutex(const std::string& name) {
  if (name.empty()) return 0;
  std::string folder = LockFolder();
  if (folder.empty()) return 0;
  std::string path = folder + "/" + LockFileName(name);
  // Opening never creates the file: a name that was never made has nothing to open.
  int fd = open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return 0;
  if (!SetLock(fd, F_WRLCK, kGateByte, true)) {
    close(fd);
    return 0;
  }
  bool held = HeldByOthers(fd) && SetLock(fd, F_RDLCK, kHolderByte, false);
  SetLock(fd, F_UNLCK, kGateByte, false);
  if (!held) {
    close(fd);
    return 0;
  }
  return AddHandle(fd);
}

void TLockFileMutex::CloseHandle(intptr_t handle) {
  auto it = FHandles.find(handle);
  if (it == FHandles.end()) return;
  if (it->second >= 0) close(it->second);
  FHandles.erase(it);
}
