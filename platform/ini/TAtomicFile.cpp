#include "platform/ini/TAtomicFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

namespace {

// Enough for any chain of links that the kernel itself would follow.
constexpr int kMaxLinks = 40;

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t n = write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        text.remove_prefix(size_t(n));
    }
    return true;
}

// A name that no other writer picks at the same time: the process, a counter and the clock.
std::string TemporaryName(const std::string& path)
{
    static std::atomic<unsigned> counter{0};
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const unsigned long long mix = (unsigned long long)getpid() << 40 ^ (unsigned long long)counter++ << 24 ^
                                   (unsigned long long)now.tv_nsec ^ (unsigned long long)now.tv_sec << 30;
    char suffix[24];
    snprintf(suffix, sizeof suffix, ".%012llx", mix & 0xFFFFFFFFFFFFull);
    // Stay well inside the 255 bytes that a file name may have.
    return FolderOf(path) + "/." + BaseOf(path).substr(0, 200) + suffix;
}

} // namespace

TAtomicFile::TAtomicFile(std::string_view name, TUse use) : FPath(MatchCase(name))
{
    if (use == TUse::Write)
        FPath = FollowLinks(FPath);
}

std::string TAtomicFile::MatchCase(std::string_view name)
{
    std::string path(name);
    struct stat st;
    if (path.empty() || lstat(path.c_str(), &st) == 0)
        return path;
    const std::string folder = FolderOf(path), base = BaseOf(path);
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return path;
    // Of several names that differ only in case, take the same one every time.
    std::string best;
    while (const dirent* entry = readdir(dir))
        if (strcasecmp(entry->d_name, base.c_str()) == 0 && (best.empty() || strcmp(entry->d_name, best.c_str()) < 0))
            best = entry->d_name;
    closedir(dir);
    if (best.empty())
        return path;
    return path.substr(0, path.size() - base.size()) + best;
}

std::string TAtomicFile::FollowLinks(std::string path)
{
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat st;
        if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            break;
        std::string target(size_t(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t n = readlink(path.c_str(), target.data(), target.size());
        if (n < 0 || size_t(n) >= target.size())
            break;
        target.resize(size_t(n));
        path = target.front() == '/' ? target : FolderOf(path) + "/" + target;
    }
    return path;
}

std::string TAtomicFile::Folder() const { return FolderOf(FPath); }

bool TAtomicFile::Read(std::string& text, struct stat* st, struct statfs* fs) const
{
    text.clear();
    // Non-blocking, so that a name that leads to a FIFO does not hang the reader.
    const int fd = open(FPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat own;
    struct stat& info = st ? *st : own;
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && (!fs || fstatfs(fd, fs) == 0);
    if (ok) {
        text.resize(size_t(info.st_size));
        size_t got = 0;
        for (;;) {
            if (got == text.size())
                text.resize(got + 4096);
            const ssize_t n = read(fd, text.data() + got, text.size() - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                ok = n == 0;
                break;
            }
            got += size_t(n);
        }
        text.resize(got);
    }
    close(fd);
    if (!ok)
        text.clear();
    return ok;
}

bool TAtomicFile::CanReplace() const
{
    struct stat st;
    const std::string folder = Folder();
    if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || access(folder.c_str(), W_OK | X_OK) != 0)
        return false;
    if (stat(FPath.c_str(), &st) != 0)
        return errno == ENOENT;
    // The owner's write bit stands for the read-only attribute, and it holds for root as well.
    return S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) && access(FPath.c_str(), W_OK) == 0;
}

bool TAtomicFile::Replace(std::string_view text) const
{
    struct stat old;
    const bool exists = stat(FPath.c_str(), &old) == 0;
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = TemporaryName(FPath);
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    bool ok = true;
    if (exists) {
        ok = fchmod(fd, old.st_mode & 07777) == 0;
        // Only root may give the file back to its owner; for anyone else the file keeps theirs.
        if (ok && (old.st_uid != geteuid() || old.st_gid != getegid()) && fchown(fd, old.st_uid, old.st_gid) != 0) {
        }
    }
    ok = ok && WriteAll(fd, text) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temporary.c_str(), FPath.c_str()) == 0;
    if (!ok) {
        unlink(temporary.c_str());
        return false;
    }
    // The rename itself reaches the disk only with the folder.
    if (const int dir = open(Folder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}
