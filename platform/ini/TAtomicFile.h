#pragma once
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/vfs.h>

// The file behind a profile file name. The name is looked up case-insensitively in its folder (an
// exact match wins) and symbolic links are followed to their target, so that a program that asks
// for "tovira.dat" and one that asks for "Tovira.dat" share one file, as they do on Windows.
//
// The file is read whole and replaced whole: the new text goes to a temporary file in the same
// folder, is flushed to the disk and renamed over the old one. A reader or a crash therefore sees
// either the old file or the new one, never a part of either.
class TAtomicFile {
public:
    // A writer must follow links itself, to replace the target rather than the link; a reader
    // need not, as opening the link opens the target.
    enum class TUse { Read, Write };
    TAtomicFile(std::string_view name, TUse use);

    // The file that is read and replaced: the name as matched, or the target of the link it names.
    const std::string& Path() const { return FPath; }

    // Reads the whole file; false when it is missing or cannot be read. st and fs, when given,
    // receive the status of the file read and of its file system.
    bool Read(std::string& text, struct stat* st = nullptr, struct statfs* fs = nullptr) const;
    // Whether Replace can be expected to succeed: the folder exists, and the file, if it exists, is
    // a regular file that is not read-only (its owner's write bit set, as the Windows read-only
    // attribute is clear) and that this process may write.
    bool CanReplace() const;
    // Replaces the file with text, keeping its mode (and its owner, where the process may).
    bool Replace(std::string_view text) const;

private:
    static std::string MatchCase(std::string_view name);
    static std::string FollowLinks(std::string path);
    std::string Folder() const;

    std::string FPath;
};
