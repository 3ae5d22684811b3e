#pragma once
#include <string>
#include <string_view>
#include <sys/stat.h>

// The file behind a profile file name. The name is looked up case-insensitively in its folder (an
// exact match wins) and symbolic links are followed to their target, so that a program that asks
// for "tovira.dat" and one that asks for "Tovira.dat" share one file, as they do on Windows.
//
// The file is read whole and replaced whole: the new text goes to a temporary file in the same
// folder, is flushed to the disk and renamed over the old one. A reader or a crash therefore sees
// either the old file or the new one, never a part of either.
class TAtomicFile {
public:
    explicit TAtomicFile(std::string_view name);

    // The file that is read and replaced.
    const std::string& Path() const { return FPath; }

    // Reads the whole file; false when it is missing or cannot be read. st, when given, receives the
    // file's status as of the read.
    bool Read(std::string& text, struct stat* st = nullptr) const;
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
