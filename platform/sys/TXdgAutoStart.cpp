#include "platform/sys/TXdgAutoStart.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ConfigFolder() {
  const char* dirs = getenv("XDG_CONFIG_DIRS");
  std::string list = dirs ? dirs : "";
  size_t start = 0;
  while (start < list.size()) {
    size_t end = list.find(':', start);
    if (end == std::string::npos) end = list.size();
    // Relative entries are invalid and are skipped, as the base directory rules ask.
    if (end > start && list[start] == '/') return list.substr(start, end - start);
    start = end + 1;
  }
  return "/etc/xdg";
}

bool MakeFolder(const std::string& path) {
  if (mkdir(path.c_str(), 0755) == 0 || errno == EEXIST) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }
  return false;
}

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += size_t(n);
  }
  return true;
}

} // namespace

std::string TXdgAutoStart::EntryFileName() { return ConfigFolder() + "/autostart/Tovira.desktop"; }

std::string TXdgAutoStart::ExecValue(const std::string& exePath) {
  const std::string reserved = " \t\n\"'\\><~|&;$*?#()`";
  bool quote = exePath.find_first_of(reserved) != std::string::npos;
  std::string arg;
  for (char c : exePath) {
    if (c == '%') arg += '%';
    else if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) arg += '\\';
    arg += c;
  }
  if (quote) arg = '"' + arg + '"';
  // The string-value escapes apply on top of the argument quoting, so a backslash of the quoting
  // is itself written as two.
  std::string value;
  for (char c : arg) {
    switch (c) {
    case '\\': value += "\\\\"; break;
    case '\n': value += "\\n"; break;
    case '\t': value += "\\t"; break;
    case '\r': value += "\\r"; break;
    default: value += c;
    }
  }
  return value;
}

std::string TXdgAutoStart::EntryText(const std::string& exePath) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Tovira\n"
         "Exec=" +
         ExecValue(exePath) +
         "\n"
         "Terminal=false\n";
}

bool TXdgAutoStart::ValueExists() {
  struct stat st {};
  return lstat(EntryFileName().c_str(), &st) == 0;
}

bool TXdgAutoStart::Write(const std::string& exePath) {
  std::string config = ConfigFolder();
  std::string folder = config + "/autostart";
  if (!MakeFolder(config) || !MakeFolder(folder)) return false;
  // Written beside and renamed over the entry, so a session starting meanwhile reads either the
  // old entry or the new one, and a link planted in the entry's place is replaced, not followed.
  std::string temp = folder + "/.Tovira.desktop.XXXXXX";
  int fd = mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = fchmod(fd, 0644) == 0 && WriteAll(fd, EntryText(exePath)) && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  if (ok && rename(temp.c_str(), EntryFileName().c_str()) == 0) return true;
  unlink(temp.c_str());
  return false;
}

bool TXdgAutoStart::Delete() { return unlink(EntryFileName().c_str()) == 0 || errno == ENOENT; }
