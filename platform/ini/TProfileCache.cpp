#include "platform/ini/TProfileCache.h"

#include "platform/ini/TAtomicFile.h"

#include <linux/magic.h>

namespace {

constexpr size_t kEntries = 8;
// Longer than the coarsest clock among the trusted file systems (whole seconds, on ext4 with small
// inodes) plus the lag of the kernel's coarse clock.
constexpr long long kMarginNs = 2'000'000'000;

long long Ns(const timespec& t) { return t.tv_sec * 1'000'000'000LL + t.tv_nsec; }

// Local file systems that keep times of at least a second's precision and whose status is never
// stale: not a network file system, where a status may come from a cache of its own.
bool LocalFileSystem(long type)
{
    switch (type) {
    case EXT4_SUPER_MAGIC:
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
    case TMPFS_MAGIC:
    case F2FS_SUPER_MAGIC:
        return true;
    default:
        return false;
    }
}

} // namespace

TProfileCache& TProfileCache::Instance()
{
    static TProfileCache cache;
    return cache;
}

long long TProfileCache::CoarseNow()
{
    // The coarse clock is cheap to read, and fine enough to notice the clock set back.
    timespec now{};
    clock_gettime(CLOCK_REALTIME_COARSE, &now);
    return Ns(now);
}

bool TProfileCache::SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           Ns(a.st_mtim) == Ns(b.st_mtim) && Ns(a.st_ctim) == Ns(b.st_ctim);
}

// A change made after before gets a change time later than before - kMarginNs, so it cannot keep
// the times of a file that was last changed earlier than that.
bool TProfileCache::Trusted(const struct stat& status, long fsType, const timespec& before)
{
    const long long limit = Ns(before) - kMarginNs;
    return LocalFileSystem(fsType) && Ns(status.st_mtim) < limit && Ns(status.st_ctim) < limit;
}

std::shared_ptr<const TProfileFile> TProfileCache::Load(const char* name)
{
    if (!name)
        return std::make_shared<const TProfileFile>();
    // A name that exists only in another case is looked up afresh each time, since another file
    // that matches better may have appeared.
    struct stat now;
    const bool exact = stat(name, &now) == 0;
    if (exact) {
        std::lock_guard lock(FLock);
        for (auto it = FEntries.begin(); it != FEntries.end(); ++it) {
            if (it->name != name)
                continue;
            if (SameFile(it->status, now) && CoarseNow() >= it->readAt) {
                FEntries.splice(FEntries.begin(), FEntries, it);
                return it->profile;
            }
            FEntries.erase(it);
            break;
        }
    }
    timespec before{};
    clock_gettime(CLOCK_REALTIME, &before);
    const long long readAt = CoarseNow();
    std::string text;
    struct stat status;
    struct statfs fs;
    const bool read = TAtomicFile(name, TAtomicFile::TUse::Read).Read(text, &status, &fs);
    auto profile = std::make_shared<const TProfileFile>(std::move(text));
    if (exact && read && Trusted(status, long(fs.f_type), before)) {
        std::lock_guard lock(FLock);
        std::erase_if(FEntries, [&](const TEntry& e) { return e.name == name; });
        FEntries.push_front({name, status, readAt, profile});
        if (FEntries.size() > kEntries)
            FEntries.pop_back();
    }
    return profile;
}

void TProfileCache::Forget(const char* name)
{
    std::lock_guard lock(FLock);
    std::erase_if(FEntries, [&](const TEntry& e) { return e.name == name; });
}
