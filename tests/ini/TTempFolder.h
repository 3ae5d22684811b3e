#pragma once
#include <cstdlib>
#include <fstream>
#include <ftw.h>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

// A folder of its own for one test, removed with all it holds when the test ends.
class TTempFolder {
public:
    TTempFolder()
    {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/tovira-ini-XXXXXX";
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        FPath = pattern;
    }
    ~TTempFolder()
    {
        // Give back the write bits that a test took away, so that everything can go.
        nftw(FPath.c_str(), [](const char* p, const struct stat*, int, FTW*) { return chmod(p, 0700) * 0; }, 16,
             FTW_PHYS);
        nftw(FPath.c_str(), [](const char* p, const struct stat*, int, FTW*) { return remove(p); }, 16,
             FTW_DEPTH | FTW_PHYS);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::string& Path() const { return FPath; }
    std::string Path(const std::string& name) const { return FPath + "/" + name; }

    void Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(Path(name), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    bool Exists(const std::string& name) const
    {
        struct stat st;
        return lstat(Path(name).c_str(), &st) == 0;
    }

private:
    std::string FPath;
};
