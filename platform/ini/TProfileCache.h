#pragma once
#include "platform/ini/TProfileFile.h"

#include <ctime>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <sys/stat.h>

// The parsed profile files of the last few names read, so that a program that reads a dozen keys
// one call at a time does not read and parse the file a dozen times. Each call still asks the
// system for the file's status, and uses the parsed copy only when nothing about the file can have
// changed: the same file (device and inode, so a replaced file is a new one), the same size, the
// same modification and change times, those times well in the past when it was read (so that a
// change in the same tick of the file system's clock cannot hide), on a local file system (where
// the status is never stale), and the system clock not set back since.
class TProfileCache {
public:
    // The file behind name, parsed; an empty one when it is missing or cannot be read.
    std::shared_ptr<const TProfileFile> Load(const char* name);
    // Drops what is kept for name; writes call it.
    void Forget(const char* name);

    static TProfileCache& Instance();

private:
    struct TEntry {
        std::string name;
        struct stat status;
        long long readAt; // the coarse clock when it was read
        std::shared_ptr<const TProfileFile> profile;
    };

    static bool SameFile(const struct stat& a, const struct stat& b);
    static bool Trusted(const struct stat& status, long fsType, const timespec& before);
    static long long CoarseNow();

    std::mutex FLock;
    std::list<TEntry> FEntries; // most recently read first
};
